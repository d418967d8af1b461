#include "platform/win32/win32_error_box.h"

#include <stdexcept>

#include "platform/win32/win32_handles.h"

namespace lumenpoll {
namespace {

bool is_dialog(HWND window) {
  return ::GetClassLongPtrA(window, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
}

// The session's end reaches every top-level window, the box's own among them, in an order
// nobody documents. A box that hears it first tells the window that owns it at once, which
// saves the selection before the session may end; the box then ends as every loop of the
// thread does on the quit message, so a box that nobody will answer never holds the end up,
// with or without the main window.
LRESULT CALLBACK end_with_session(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (sent.message == WM_ENDSESSION && sent.wParam != FALSE) {
      const HWND owner = ::GetWindow(sent.hwnd, GW_OWNER);
      if (owner != nullptr && is_dialog(sent.hwnd))
        ::SendMessageA(owner, WM_ENDSESSION, sent.wParam, sent.lParam);
      ::PostQuitMessage(0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void Win32ErrorBox::show(const std::string& caption, const std::string& text) {
  const HWND owner = owner_ != nullptr && ::IsWindow(owner_) ? owner_ : nullptr;
  const UniqueHook hook(
      ::SetWindowsHookExA(WH_CALLWNDPROC, end_with_session, nullptr, ::GetCurrentThreadId()));
  if (::MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK) == 0)
    throw std::runtime_error("The error box could not be shown");
}

}  // namespace lumenpoll
