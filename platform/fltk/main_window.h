#pragma once

#include <FL/Fl_Double_Window.H>

#include <functional>

namespace lumenpoll {

// The program's one window: fixed size, dialog frame, always on top. The close box asks
// on_close_request, which decides; the Escape key does not close it.
class MainWindow : public Fl_Double_Window {
 public:
  MainWindow(int w, int h, bool always_on_top, std::function<void()> on_close_request);

  int handle(int event) override;

 private:
  static void close_box_pressed(Fl_Widget* widget, void* data);

  bool always_on_top_;
  bool frame_hints_set_ = false;
  bool above_requested_ = false;
  std::function<void()> on_close_request_;
};

}  // namespace lumenpoll
