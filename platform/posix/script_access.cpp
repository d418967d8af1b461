#include "platform/posix/script_access.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/error_codes.h"

namespace lumenpoll {

std::uintptr_t script_problem(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return static_cast<std::uintptr_t>(missing_path_code(path));
    return shell_error_code(errno);
  }
  if (S_ISDIR(st.st_mode) || ::access(path.c_str(), R_OK) != 0) return kAccessDenied;
  return 0;
}

}  // namespace lumenpoll
