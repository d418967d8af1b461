#include "base/errors.h"

#include "base/error_codes.h"

namespace lumenpoll {

EInOutError::EInOutError(int code) : Exception(message_for(code)), code_(code) {}

namespace {

const char* named_message(int code) {
  switch (code) {
    case kFileNotFound:
      return "File not found";
    case kPathNotFound:
      return "Invalid filename";
    case kTooManyOpenFiles:
      return "Too many open files";
    case kAccessDenied:
      return "File access denied";
    case kReadBeyondEndOfFile:
      return "Read beyond end of file";
    case kDiskFull:
      return "Disk full";
    case kInvalidNumericInput:
      return "Invalid numeric input";
    default:
      return nullptr;
  }
}

}  // namespace

std::string EInOutError::message_for(int code) {
  const char* named = named_message(code);
  return named != nullptr ? named : "I/O error " + std::to_string(code);
}

bool EInOutError::has_message_of_its_own(int code) {
  return named_message(code) != nullptr;
}

}  // namespace lumenpoll
