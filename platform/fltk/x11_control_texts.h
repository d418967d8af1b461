#pragma once

#include <string>
#include <vector>

#include "ui/window_definition.h"

class Fl_Widget;
class Fl_Window;

namespace lumenpoll {

// The texts the window's controls show, readable from outside the program as Windows lets
// any program read a control's text: the X property _LUMENPOLL_CONTROL_TEXTS of the shown
// window, UTF-8, one "name=text" line per control with a text (a drop-down list's is its
// shown item), in the definition's order. It is brought up to date whenever the program is
// about to wait for events, so a tool reading it (xprop) never sees an old text once the
// program is idle.
class X11ControlTexts {
 public:
  // window and the widgets, found by their control's name, must outlive this.
  template <typename FindWidget>
  X11ControlTexts(const Fl_Window& window, const FormDef& definition, FindWidget find_widget)
      : window_(window) {
    for (const ControlDef& def : definition.controls) {
      if (def.kind == ControlKind::Picture || def.kind == ControlKind::Grid) continue;
      if (const Fl_Widget* widget = find_widget(def.name))
        controls_.push_back({def.name, def.kind, widget});
    }
    watch();
  }
  X11ControlTexts(const X11ControlTexts&) = delete;
  X11ControlTexts& operator=(const X11ControlTexts&) = delete;
  ~X11ControlTexts();

 private:
  struct Control {
    std::string name;
    ControlKind kind;
    const Fl_Widget* widget;
  };

  void watch();
  static void before_wait(void* self);
  std::string lines() const;

  const Fl_Window& window_;
  std::vector<Control> controls_;
  unsigned long published_window_ = 0;  // the X window last written to; 0: none
  std::string published_;
};

}  // namespace lumenpoll
