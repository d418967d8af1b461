#include "check/check_options.h"

namespace lumenpoll {

CheckOptions parse_check_options(const std::vector<std::string>& args) {
  CheckOptions options;
  const std::string drive_eq = "--drive=";
  for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--lite") {
      options.edition = Edition::Lite;
    } else if (arg == "--drive" && i + 1 < args.size()) {
      options.drive = args[++i];
    } else if (arg.starts_with(drive_eq) && arg.size() > drive_eq.size()) {
      options.drive = arg.substr(drive_eq.size());
    } else if (arg == "--drive" || arg == drive_eq) {
      options.error = "--drive needs a folder";
    } else {
      options.error = "unknown argument \"" + arg + "\"";
    }
  }
  return options;
}

std::string check_usage(const std::string& default_drive) {
  return "Usage: lumenpoll-check [--lite] [--drive DIR]\n"
         "\n"
         "Reads an X-ray station as lumenpoll reads it at start, changing nothing, and reports:\n"
         "  - each line of the macro list that the program ignores, cuts or reads as an empty\n"
         "    region (\"line N: ...\" and why), the species and regions it offers with each\n"
         "    region's macro argument and technique chart, and the auto-close value;\n"
         "  - the saved selection and what it selects;\n"
         "  - text saved as UTF-8 in either file, which the program reads otherwise;\n"
         "  - copies of either file in the accounts' VirtualStore folders, which hide it;\n"
         "  - whether the import folder is there, and what the program would do with each raw\n"
         "    file in it (looked at twice, a second apart; the running program is not asked);\n"
         "  - whether the four scripts are there and can be started.\n"
         "\n"
         "  --lite       read the station as lumenpoll-lite does (no technique charts)\n"
         "  --drive DIR  check the station whose drive C: is the folder DIR, for example a\n"
         "               copy before it is installed (default: " +
         default_drive +
         ")\n"
         "  -h, --help   show this text\n"
         "  --version    show the version\n"
         "\n"
         "Exit status: 0 the station is ready, 1 something needs attention, 2 the station\n"
         "could not be checked (no such drive folder, or a wrong command line).\n";
}

}  // namespace lumenpoll
