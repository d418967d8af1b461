#include "platform/fltk/x11_control_texts.h"

#include <FL/Fl.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <utility>

namespace lumenpoll {
namespace {

const char* shown_text(ControlKind kind, const Fl_Widget& widget) {
  if (kind == ControlKind::ComboBox) return static_cast<const Fl_Choice&>(widget).text();
  return widget.label();
}

}  // namespace

void X11ControlTexts::watch() {
  Fl::add_check(before_wait, this);
}

X11ControlTexts::~X11ControlTexts() {
  Fl::remove_check(before_wait, this);
}

std::string X11ControlTexts::lines() const {
  std::string text;
  for (const Control& control : controls_) {
    text += control.name + "=";
    const char* shown = shown_text(control.kind, *control.widget);
    // A line end (no control shows one) would end the control's line early.
    for (const char* c = shown ? shown : ""; *c != '\0'; ++c)
      text += *c == '\n' || *c == '\r' ? ' ' : *c;
    text += '\n';
  }
  return text;
}

void X11ControlTexts::before_wait(void* data) {
  auto* self = static_cast<X11ControlTexts*>(data);
  const Window xid = fl_xid(&self->window_);
  if (xid == 0) {  // not shown
    self->published_window_ = 0;
    return;
  }
  std::string text = self->lines();
  if (xid == self->published_window_ && text == self->published_) return;
  XChangeProperty(fl_display, xid, XInternAtom(fl_display, "_LUMENPOLL_CONTROL_TEXTS", False),
                  XInternAtom(fl_display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
  self->published_window_ = xid;
  self->published_ = std::move(text);
}

}  // namespace lumenpoll
