#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "check/checker_run.h"

namespace lumenpoll {

// The checker on this platform: parses args, reads the station whose drive C: is the folder
// given by --drive (the program's default drive without it) and prints the report (UTF-8 on
// Linux, the ANSI code page on Windows). Returns the exit status: 0 ready, 1 needs attention,
// 2 not checked.
int run_station_checker(const std::vector<std::string>& args, const CheckerProgram& program,
                        std::ostream& out, std::ostream& err);

}  // namespace lumenpoll
