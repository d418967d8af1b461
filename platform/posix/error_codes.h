#pragma once

#include <cstdint>
#include <string>

namespace lumenpoll {

// The station's file error code for an errno of open, read, write or close: 4 too many
// open files, 5 access denied, 101 disk full, otherwise the errno itself. ENOENT needs the
// path (missing_path_code) to tell a missing file from a missing folder.
int file_error_code(int err);

// 2 when the folder that would hold path exists (the file is missing), else 3.
int missing_path_code(const std::string& path);

// The Windows shell's error code (32 or less) for an errno of starting a program.
std::uintptr_t shell_error_code(int err);

}  // namespace lumenpoll
