#pragma once

#include <windows.h>

#include <string>

#include "ui/window_definition.h"

namespace lumenpoll {

// Registers a window class of this program, with its icon, the button-face background and
// the arrow cursor; a class registered before is left as it is. Throws when it cannot be
// registered.
void register_window_class(const char* name, WNDPROC procedure, UINT style = 0);

// A visible child window of parent at the control's place and size (height, when given, in
// place of the definition's), captioned text, with the control's id and object as its
// creation parameter. Throws when it cannot be made.
struct ChildWindow {
  const char* window_class;
  DWORD style;  // besides WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS
  DWORD ex_style = 0;
  std::string text;
  int height = -1;
  void* object = nullptr;
};
HWND create_child_window(HWND parent, const ControlDef& def, int id, const ChildWindow& child);

// The object a window procedure serves, stored with the window at WM_NCCREATE from the
// creation parameter; null before that and once cleared.
template <typename T>
T* window_object(HWND window, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
  }
  return reinterpret_cast<T*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace lumenpoll
