#include "base/application.h"

#include <exception>

#include "base/errors.h"
#include "base/operator_texts.h"

namespace lumenpoll {

std::string error_box_text(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void Application::ShowError(const std::string& message) {
  if (terminated_) return;
  box_.show(title_, error_box_text(message));
}

void Application::HandleException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    try {
      ShowError(e.what());
    } catch (...) {
      // The box itself failed (no memory, display gone): nothing left to show it with.
    }
  } catch (...) {
    try {
      ShowError(operator_texts::kUnknownError);
    } catch (...) {
    }
  }
}

}  // namespace lumenpoll
