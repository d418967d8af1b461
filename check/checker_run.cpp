#include "check/checker_run.h"

#include <ostream>

#include "check/check_options.h"
#include "check/drive_folder.h"

namespace lumenpoll {

int run_checker(const std::vector<std::string>& args, const CheckerProgram& program,
                const StationChecker& check,
                const std::function<std::string(const std::string&)>& encode, std::ostream& out,
                std::ostream& err) {
  constexpr int kNotChecked = static_cast<int>(CheckStatus::NotChecked);
  const std::string& default_drive = program.default_drive;
  const CheckOptions options = parse_check_options(args);
  if (!options.error.empty()) {
    err << "lumenpoll-check: " << options.error << "\n\n" << check_usage(default_drive);
    return kNotChecked;
  }
  if (options.help) {
    out << check_usage(default_drive);
    return 0;
  }
  if (options.version) {
    out << "lumenpoll-check " << program.version << "\n";
    return 0;
  }
  const std::string drive_c = drive_folder(options.drive.value_or(default_drive), err);
  if (drive_c.empty()) return kNotChecked;
  const StationReport report = check(drive_c, options.edition);
  out << "Drive C: is " << drive_c << "\n";
  for (const std::string& line : report.lines) out << encode(line) << "\n";
  return static_cast<int>(report.status());
}

}  // namespace lumenpoll
