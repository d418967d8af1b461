#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "base/edition.h"
#include "check/station_check.h"

namespace lumenpoll {

// What a platform does for the checker: reads the station whose drive C: is the folder
// given (an existing one, absolute in the platform's spelling) as the edition's program would.
using StationChecker = std::function<StationReport(const std::string& drive_c, Edition edition)>;

// What the checker is on its platform: its version, and the folder that stands for drive C:
// without --drive.
struct CheckerProgram {
  std::string version;
  std::string default_drive;
};

// The checker's command line and report on any platform: parses args, checks the station
// (the default drive without --drive) and prints the report, each single-byte line passed
// through encode on its way out. Returns the exit status: 0 ready, 1 needs attention,
// 2 not checked.
int run_checker(const std::vector<std::string>& args, const CheckerProgram& program,
                const StationChecker& check,
                const std::function<std::string(const std::string&)>& encode, std::ostream& out,
                std::ostream& err);

}  // namespace lumenpoll
