#pragma once

#include <string>

#include "base/edition.h"

namespace lumenpoll {

// Runs one program: the window of the edition on the FLTK display, with drive C: of the
// station mapped to the folder drive_c. Returns the process's exit code once the window
// has closed: 0, or 1 after an error that stopped the program was shown.
int run_station(Edition edition, const std::string& drive_c);

}  // namespace lumenpoll
