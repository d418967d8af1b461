#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "base/edition.h"
#include "check/station_check.h"

namespace lumenpoll {

// A station read by the checker: the folder that stands for its drive C:, in the platform's
// own spelling, and the report.
struct CheckedStation {
  std::string drive_c;
  StationReport report;
};

// What a platform does for the checker: reads the station whose drive C: is the folder
// given, as the edition's program would; nothing when there is no such folder (the reason
// then written to err).
using StationChecker = std::function<std::optional<CheckedStation>(
    const std::string& drive_c, Edition edition, std::ostream& err)>;

// The checker's command line and report on any platform: parses args, checks the station
// (default_drive without --drive) and prints the report, each single-byte line passed
// through encode on its way out. Returns the exit status: 0 ready, 1 needs attention,
// 2 not checked.
int run_checker(const std::vector<std::string>& args, const std::string& default_drive,
                const StationChecker& check,
                const std::function<std::string(const std::string&)>& encode, std::ostream& out,
                std::ostream& err);

}  // namespace lumenpoll
