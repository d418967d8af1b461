#pragma once

#include <windows.h>

#include <string>

#include "base/application.h"

namespace lumenpoll {

// The application's error box: MessageBoxA with the stop icon and OK, owned by the main
// window while it exists, which stays disabled meanwhile. Its message loop goes on
// dispatching the window's timers. The end of the session ends it, told first to the owner
// when the box hears it first. Throws when the box cannot be shown.
class Win32ErrorBox : public ErrorBox {
 public:
  // owner: null for a box of its own (before the window exists, or after it is gone).
  explicit Win32ErrorBox(HWND owner = nullptr) : owner_(owner) {}

  void show(const std::string& caption, const std::string& text) override;

 private:
  HWND owner_;
};

}  // namespace lumenpoll
