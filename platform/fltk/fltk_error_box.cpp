#include "platform/fltk/fltk_error_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>

#include "platform/common/cp1252.h"
#include "platform/fltk/add_child.h"
#include "platform/fltk/form_widgets.h"
#include "platform/fltk/look.h"
#include "platform/fltk/x11_window_hints.h"

namespace lumenpoll {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kMaxTextWidth = 420;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 14;
constexpr int kTitleBarAllowance = 80;  // the manager's buttons beside the caption

// A red disc with a white cross, the usual sign of a failed operation.
class StopIcon : public Fl_Widget {
 public:
  StopIcon(int x, int y) : Fl_Widget(x, y, kIconSize, kIconSize) {}

  void draw() override {
    fl_color(fl_rgb_color(0xC4, 0x1E, 0x1E));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(fl_rgb_color(0x8A, 0x10, 0x10));
    fl_arc(x(), y(), w(), h(), 0, 360);
    const int inset = w() * 3 / 10;
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    fl_line(x() + inset, y() + inset, x() + w() - 1 - inset, y() + h() - 1 - inset);
    fl_line(x() + w() - 1 - inset, y() + inset, x() + inset, y() + h() - 1 - inset);
    fl_line_style(0);
  }
};

class BoxWindow : public Fl_Double_Window {
 public:
  using Fl_Double_Window::Fl_Double_Window;

  // Enter closes the box, as its one default button would.
  int handle(int event) override {
    if ((event == FL_KEYBOARD || event == FL_SHORTCUT) &&
        (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
      hide();
      return 1;
    }
    return Fl_Double_Window::handle(event);
  }
};

void hide_window(Fl_Widget* widget, void*) {
  Fl_Window* window = widget->as_window() ? widget->as_window() : widget->window();
  if (window) window->hide();
}

struct TextSize {
  int w = 0;
  int h = 0;
};

TextSize measure(const std::string& text) {
  fl_font(kFontFace, kMessageFontSize);
  TextSize size;
  fl_measure(text.c_str(), size.w, size.h, 0);
  if (size.w > kMaxTextWidth) {
    size.w = kMaxTextWidth;
    size.h = 0;
    fl_measure(text.c_str(), size.w, size.h, 0);
  }
  return size;
}

// Centred over the owner when it is on screen, else on the screen; never off screen.
std::pair<int, int> placement(const Fl_Window* owner, int w, int h) {
  int sx, sy, sw, sh;
  Fl::screen_work_area(sx, sy, sw, sh);
  int x = sx + (sw - w) / 2;
  int y = sy + (sh - h) / 2;
  if (owner && owner->visible()) {
    x = owner->x() + (owner->w() - w) / 2;
    y = owner->y() + (owner->h() - h) / 2;
  }
  x = std::clamp(x, sx, std::max(sx, sx + sw - w));
  y = std::clamp(y, sy, std::max(sy, sy + sh - h));
  return {x, y};
}

}  // namespace

void FltkErrorBox::show(const std::string& caption, const std::string& text) {
  use_station_look();
  prepare_window_hints();
  const std::string title = cp1252_to_utf8(caption);
  const std::string message = cp1252_to_utf8(text);

  const TextSize text_size = measure(message);
  const int text_x = kMargin + kIconSize + kIconGap;
  const int body_h = std::max(kIconSize, text_size.h);
  const int button_y = kMargin + body_h + kButtonGap;
  const int w = std::max({text_x + text_size.w + kMargin, kButtonWidth + 2 * kMargin,
                          static_cast<int>(fl_width(title.c_str())) + kTitleBarAllowance});
  const int h = button_y + kButtonHeight + kMargin - 2;

  Fl_Group::current(nullptr);
  BoxWindow box(w, h);
  box.end();
  box.copy_label(title.c_str());
  // The icon title carries the message, so tools that read window titles (a screen reader,
  // the end-to-end tests) can tell one box from another. message outlives the box.
  box.iconlabel(message.c_str());
  box.color(kButtonFace);
  box.callback(hide_window);  // close box and Escape
  box.size_range(w, h, w, h);

  add_child<StopIcon>(box, kMargin, kMargin);
  add_child<TextLabel>(box, text_x, kMargin + (body_h - text_size.h) / 2, text_size.w + 1,
                       text_size.h, kMessageFontSize, false, FL_ALIGN_LEFT | FL_ALIGN_WRAP)
      .set_text(text);
  auto& ok = add_child<PushButton>(box, (w - kButtonWidth) / 2, button_y, kButtonWidth,
                                   kButtonHeight, kMessageFontSize);
  ok.label("OK");
  ok.callback(hide_window);

  const auto [x, y] = placement(owner_, w, h);
  box.position(x, y);
  box.set_modal();  // the other windows take no input while the box is open
  box.show();
  if (owner_) set_transient_for(box, *owner_);
  fl_beep(FL_BEEP_ERROR);
  while (box.shown()) Fl::wait();
}

}  // namespace lumenpoll
