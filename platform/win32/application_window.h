#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The program's button on the task bar, captioned with the application title while the
// main window keeps its own caption: a window of no size that owns the main window (owned
// windows get no button of their own). Closing the program from the task bar asks the main
// window to close, unless an error box has it disabled; activating the button activates the
// main window. The session's end, heard here first, is told to the main window at once.
class ApplicationWindow {
 public:
  explicit ApplicationWindow(const std::string& title);
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;

  HWND handle() const { return window_.get(); }
  // The window that its close and activation go to.
  void set_main_window(HWND main_window);
  void show();
  void hide();

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  UniqueWindow window_;
};

}  // namespace lumenpoll
