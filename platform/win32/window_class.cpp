#include "platform/win32/window_class.h"

#include <stdexcept>
#include <string>

namespace lumenpoll {

void register_window_class(const char* name, WNDPROC procedure, UINT style) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ::GetModuleHandleA(nullptr);
  // The program's icon (resource 1), for the task bar and Alt+Tab; none in a test program.
  window_class.hIcon = ::LoadIconA(window_class.hInstance, MAKEINTRESOURCEA(1));
  window_class.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  if (::RegisterClassExA(&window_class) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error(std::string("The window class ") + name + " could not be registered");
}

HWND create_child_window(HWND parent, const ControlDef& def, int id, const ChildWindow& child) {
  const HWND window = ::CreateWindowExA(
      child.ex_style, child.window_class, child.text.c_str(),
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | child.style, def.left, def.top, def.width,
      child.height >= 0 ? child.height : def.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), child.object);
  if (window == nullptr) throw std::runtime_error("The control " + def.name + " could not be made");
  return window;
}

}  // namespace lumenpoll
