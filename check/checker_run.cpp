#include "check/checker_run.h"

#include <ostream>

#include "check/check_options.h"

namespace lumenpoll {

int run_checker(const std::vector<std::string>& args, const std::string& default_drive,
                const StationChecker& check,
                const std::function<std::string(const std::string&)>& encode, std::ostream& out,
                std::ostream& err) {
  constexpr int kNotChecked = static_cast<int>(CheckStatus::NotChecked);
  const CheckOptions options = parse_check_options(args);
  if (!options.error.empty()) {
    err << "lumenpoll-check: " << options.error << "\n\n" << check_usage(default_drive);
    return kNotChecked;
  }
  if (options.help) {
    out << check_usage(default_drive);
    return 0;
  }
  const std::optional<CheckedStation> station =
      check(options.drive.value_or(default_drive), options.edition, err);
  if (!station) return kNotChecked;
  out << "Drive C: is " << station->drive_c << "\n";
  for (const std::string& line : station->report.lines) out << encode(line) << "\n";
  return static_cast<int>(station->report.status());
}

}  // namespace lumenpoll
