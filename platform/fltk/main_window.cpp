#include "platform/fltk/main_window.h"

#include <FL/Fl.H>

#include <utility>

#include "platform/fltk/x11_window_hints.h"

namespace lumenpoll {

MainWindow::MainWindow(int w, int h, bool always_on_top, std::function<void()> on_close_request)
    : Fl_Double_Window(w, h),
      always_on_top_(always_on_top),
      on_close_request_(std::move(on_close_request)) {
  end();
  size_range(w, h, w, h);
  callback(close_box_pressed, this);
}

void MainWindow::close_box_pressed(Fl_Widget*, void* data) {
  // FLTK closes windows on Escape through this callback too; this window ignores the key.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  auto* window = static_cast<MainWindow*>(data);
  if (window->on_close_request_) window->on_close_request_();
}

int MainWindow::handle(int event) {
  const int handled = Fl_Double_Window::handle(event);
  if (event == FL_SHOW && shown()) {
    // The first FL_SHOW comes straight after the map request, before the window manager
    // has acted on it: the initial state set here is the one it maps the window with.
    if (!frame_hints_set_) {
      frame_hints_set_ = true;
      set_dialog_frame(*this);
      if (always_on_top_) set_initial_state_above(*this);
    }
    // A manager that has already mapped the window takes changes as requests only.
    if (always_on_top_ && !above_requested_ && is_viewable(*this)) {
      above_requested_ = true;
      request_state_above(*this);
    }
  }
  return handled;
}

}  // namespace lumenpoll
