#include "platform/win32/application_window.h"

#include <stdexcept>

#include "platform/win32/window_class.h"

namespace lumenpoll {
namespace {

constexpr const char* kClassName = "LumenpollApplication";

HWND main_window_of(HWND window) {
  return reinterpret_cast<HWND>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

ApplicationWindow::ApplicationWindow(const std::string& title) {
  register_window_class(kClassName, procedure);
  // At the centre of the screen, where the main window covers it.
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
  window_.reset(
      ::CreateWindowExA(0, kClassName, title.c_str(),
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, y,
                        0, 0, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
  if (!window_) throw std::runtime_error("The application window could not be made");
}

void ApplicationWindow::set_main_window(HWND main_window) {
  ::SetWindowLongPtrA(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main_window));
}

void ApplicationWindow::show() {
  ::ShowWindow(handle(), SW_SHOWNA);
}

void ApplicationWindow::hide() {
  ::ShowWindow(handle(), SW_HIDE);
}

LRESULT CALLBACK ApplicationWindow::procedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  const HWND main_window = main_window_of(window);
  switch (message) {
    case WM_CLOSE:  // from the task bar: the main window decides, and saves the selection
      // Not while an error box has disabled the main window: the box is answered first.
      if (main_window != nullptr && ::IsWindowEnabled(main_window))
        ::PostMessageA(main_window, WM_CLOSE, 0, 0);
      return 0;
    case WM_ENDSESSION:  // perhaps before the main window: it saves before this returns
      if (main_window != nullptr) ::SendMessageA(main_window, WM_ENDSESSION, wparam, lparam);
      return 0;
    case WM_ACTIVATE:
      // An open error box has disabled the main window; it stays in front by itself.
      if (LOWORD(wparam) != WA_INACTIVE && main_window != nullptr &&
          ::IsWindowVisible(main_window) && ::IsWindowEnabled(main_window))
        ::SetActiveWindow(main_window);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace lumenpoll
