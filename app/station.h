#pragma once

#include "base/edition.h"

namespace lumenpoll {

// Runs one program: the window of the edition with this platform's adapters (one wiring
// per platform, compiled into each program). Returns the process's exit code once the
// window has closed: 0, or 1 after an error that stopped the program was shown.
int run_station(Edition edition);

}  // namespace lumenpoll
