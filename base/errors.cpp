#include "base/errors.h"

#include "base/operator_texts.h"

namespace lumenpoll {

EInOutError::EInOutError(int code) : Exception(message_for(code)), code_(code) {}

std::string EInOutError::message_for(int code) {
  return operator_texts::file_error(code);
}

bool EInOutError::has_message_of_its_own(int code) {
  return operator_texts::file_error_has_own_text(code);
}

}  // namespace lumenpoll
