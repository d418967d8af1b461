#pragma once

#include <cstdint>
#include <string>

#include "base/error_codes.h"

namespace lumenpoll {

// Which way the failed call moved data: an EIO is a read fault on the one side, a write
// fault on the other. Opening a file counts as reading.
enum class IoDirection { kRead, kWrite };

// The station's file error code for an errno of open, read, write or close: 2 file not
// found, 3 path not found, 4 too many open files, 5 access denied, 101 disk full, 30 or 29
// for EIO. Any other errno is passed on as the code, except one that equals a code with a
// message of its own (EInOutError), which would then claim a cause it is not: that one
// becomes 31. An ENOENT of open needs the path (missing_path_code) to tell a
// missing file from a missing folder.
int file_error_code(int err, IoDirection direction);

// 2 when the folder that would hold path exists (the file is missing), else 3.
int missing_path_code(const std::string& path);

// The Windows error code for an errno of starting a program: the shell's codes of 32 or less
// where one says the cause, else kCannotComplete.
std::uintptr_t shell_error_code(int err);

}  // namespace lumenpoll
