#pragma once

#include <iosfwd>

namespace lumenpoll {

// Makes the folder of the running program the working folder, which every script it starts
// inherits: the scripts then start alike however the program was started (its shortcuts,
// Restart Manager, a shortcut of one's own, a deployment tool). Where that cannot be done,
// the folder stays the one the program was started in, and log says why.
void enter_program_folder(std::ostream& log);

}  // namespace lumenpoll
