#pragma once

#include <cstdint>
#include <string>

namespace lumenpoll {

// Whether the script at path (a POSIX path) can be handed to the interpreter: 0, or the
// Windows shell's error code for the start (2 missing file, 3 missing folder, 5 a folder
// or unreadable file, ...).
std::uintptr_t script_problem(const std::string& path);

}  // namespace lumenpoll
