#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/common/control_table.h"
#include "platform/common/view_events.h"
#include "platform/win32/application_window.h"
#include "platform/win32/win32_handles.h"
#include "ui/form_view.h"
#include "ui/window_definition.h"

namespace lumenpoll {

class FrameControl;
class TextGrid;

// The window built from its definition with native Win32 controls: window class TForm1,
// dialog frame, always on top, the definition's font and pixel sizes without scaling. It
// shows what the core sets and passes what the operator does on to the events, and the end
// of the session once, whichever of the program's windows hears it first. Texts are in the
// ANSI code page and go to the single-byte (A) functions as they are.
class Win32View : public FormView {
 public:
  // Creates the window and its controls, hidden. application_title captions the task-bar
  // button.
  Win32View(const FormDef& definition, const std::string& application_title);
  Win32View(const Win32View&) = delete;
  Win32View& operator=(const Win32View&) = delete;
  ~Win32View() override;

  // The window class of the definition's window: TForm1 for Form1.
  static std::string class_name(const FormDef& definition) { return "T" + definition.name; }

  HWND handle() const { return window_.get(); }
  // What a label shows of its text: the text, shortened to its room when too wide for it.
  std::string shown_text(const std::string& label) const;
  // The control's window; null when the definition has no such control.
  HWND control_handle(const std::string& name) const;
  // What the operator does goes to events from now on; events must outlive the view.
  void bind(FormEvents& events) { events_.bind(events); }

  // Centres the window on the desktop (when the definition says so), shows it and its
  // task-bar button, and puts the keyboard focus on the first control of the tab order.
  void Show();
  // Runs the thread's message loop until the window has closed; gives the exit code.
  int run();

  // FormView. A control the definition does not have, or of another kind, is a
  // programming error: std::logic_error.
  void SetCaption(const std::string& control, const std::string& text) override;
  void ClearItems(const std::string& control) override;
  void AddItem(const std::string& control, const std::string& text) override;
  void SetItemIndex(const std::string& control, int index) override;
  void SetCell(int col, int row, const std::string& text) override;
  void SetGridSelection(const GridRect& rect) override;
  void CloseWindow() override;

 private:
  using Controls = ControlTable<HWND>;

  void create_window();
  HWND build(HWND parent, const ControlDef& def);
  HWND create_control(HWND parent, const ControlDef& def, int id, const char* window_class,
                      DWORD style, DWORD ex_style = 0);
  TextGrid& grid() const;
  void fit_label(HWND label, const ControlDef& def, const std::string& text) const;
  void draw_label(const DRAWITEMSTRUCT& item) const;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
  void on_command(HWND source, WORD code, WORD id);
  void on_pick(const Controls::Control& list);
  LRESULT control_colour(HDC dc, HWND control);
  void on_activate(WPARAM state);

  const FormDef& definition_;
  ViewEvents events_;
  UniqueFont font_;
  UniqueBitmap logo_;  // outlives the window that shows it
  ApplicationWindow application_window_;
  std::unique_ptr<Controls> controls_;
  int next_id_ = 100;  // of the next control
  std::vector<std::unique_ptr<FrameControl>> frames_;
  std::unique_ptr<TextGrid> grid_;
  HWND focus_ = nullptr;  // the control that had the focus when the window went inactive
  bool session_ended_ = false;
  // Last: destroyed first, while the objects its controls call on still exist.
  UniqueWindow window_;
};

}  // namespace lumenpoll
