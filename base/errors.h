#pragma once

#include <stdexcept>
#include <string>

#include "base/operator_texts.h"

namespace lumenpoll {

// Every error the station raises carries the exact text its error box shows.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failed open, read, write or close of a text file.
class EInOutError : public Exception {
 public:
  explicit EInOutError(int code);
  int ErrorCode() const { return code_; }
  // "File not found", "I/O error 32", ...
  static std::string message_for(int code);
  // A code whose message names a cause, rather than "I/O error <code>".
  static bool has_message_of_its_own(int code);

 private:
  int code_;
};

// The scanner's root folder does not resolve.
class ESsInvalidFolder : public Exception {
 public:
  ESsInvalidFolder() : Exception(operator_texts::kInvalidFolder) {}
};

// The platform refused a timer.
class EOutOfResources : public Exception {
 public:
  EOutOfResources() : Exception(operator_texts::kNoTimers) {}
};

}  // namespace lumenpoll
