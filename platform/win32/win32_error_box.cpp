#include "platform/win32/win32_error_box.h"

#include <stdexcept>

namespace lumenpoll {

void Win32ErrorBox::show(const std::string& caption, const std::string& text) {
  const HWND owner = owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr;
  if (::MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK) == 0)
    throw std::runtime_error("The error box could not be shown");
}

}  // namespace lumenpoll
