#include "platform/posix/error_codes.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/errors.h"

namespace lumenpoll {

namespace {

std::string parent_of(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// What opening a file and starting a program have in common; 0 for any other errno.
int opening_code(int err) {
  switch (err) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    default:
      return 0;
  }
}

}  // namespace

int file_error_code(int err, IoDirection direction) {
  switch (err) {
    case EROFS:
      return kAccessDenied;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case EIO:
      return direction == IoDirection::kRead ? kReadFault : kWriteFault;
    default:
      if (const int code = opening_code(err)) return code;
      return EInOutError::has_message_of_its_own(err) ? kGeneralFailure : err;
  }
}

int missing_path_code(const std::string& path) {
  struct stat st {};
  const bool folder_exists = ::stat(parent_of(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  return folder_exists ? kFileNotFound : kPathNotFound;
}

std::uintptr_t shell_error_code(int err) {
  switch (err) {
    case ENAMETOOLONG:
    case ELOOP:
      return kPathNotFound;
    case ENOMEM:
    case EAGAIN:
    case E2BIG:
      return kNotEnoughMemory;
    case ENOEXEC:
    case ELIBBAD:
      return kBadFormat;
    case ETXTBSY:
      return kSharingViolation;
    case EIO:
      return kReadFault;
    default:
      if (const int code = opening_code(err)) return static_cast<std::uintptr_t>(code);
      return kCannotComplete;  // not the general failure, whose text blames a device
  }
}

}  // namespace lumenpoll
