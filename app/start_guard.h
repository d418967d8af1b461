#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "base/application.h"

namespace lumenpoll {

// Runs the program's start-up and its event loop. An error that escapes them (the window
// could not be built, no timer for the first cycle) is shown in box, caption title, and
// written to log, and the exit code is 1; otherwise body's own code is returned. There
// may be no window yet, so box must work without one.
int run_reporting_errors(const std::string& title, ErrorBox& box, std::ostream& log,
                         const std::function<int()>& body);

}  // namespace lumenpoll
