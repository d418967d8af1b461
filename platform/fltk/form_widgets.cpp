#include "platform/fltk/form_widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "platform/common/cp1252.h"
#include "platform/common/group_box_metrics.h"
#include "platform/fltk/literal_label.h"
#include "platform/fltk/look.h"
#include "ui/text_fit.h"

namespace lumenpoll {
namespace {

void use_station_font(Fl_Widget& widget, Fl_Fontsize size) {
  widget.labeltype(kLiteralLabel);
  widget.labelfont(kFontFace);
  widget.labelsize(size);
  widget.labelcolor(FL_BLACK);
}

// The width of a text in the widget's label font.
int text_width(const Fl_Widget& widget, std::string_view utf8) {
  fl_font(widget.labelfont(), widget.labelsize());
  return static_cast<int>(std::ceil(fl_width(utf8.data(), static_cast<int>(utf8.size()))));
}

// Asks the window to repaint what lies under a widget that has no background of its own.
void damage_under(Fl_Widget& widget) {
  if (Fl_Window* window = widget.window())
    window->damage(FL_DAMAGE_ALL, widget.x(), widget.y(), widget.w(), widget.h());
}

bool is_caret_key(int key) {
  switch (key) {
    case FL_Left:
    case FL_Right:
    case FL_Up:
    case FL_Down:
    case FL_Home:
    case FL_End:
    case FL_Page_Up:
    case FL_Page_Down:
      return true;
    default:
      return false;
  }
}

}  // namespace

TextLabel::TextLabel(int x, int y, int w, int h, Fl_Fontsize size, bool auto_size, Fl_Align align,
                     int room)
    : Fl_Box(x, y, w, h), auto_size_(auto_size), room_(room) {
  box(FL_NO_BOX);
  use_station_font(*this, size);
  this->align(align | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
}

void TextLabel::set_text(const std::string& text) {
  text_ = text;
  const std::string utf8 = cp1252_to_utf8(text);
  damage_under(*this);
  if (auto_size_) size(std::min(text_width(*this, utf8), room_), h());
  copy_label(utf8.c_str());
  damage_under(*this);
}

std::string TextLabel::shown_text() const {
  const auto measure = [this](std::string_view text) {
    return text_width(*this, cp1252_to_utf8(text));
  };
  return cp1252_to_utf8(fit_text(text_, room_, measure));
}

void TextLabel::draw() {
  const std::string shown = shown_text();
  const auto draw_text = [&] {
    // Drawn at the label's own place: FLTK's short form would move left-aligned text inwards.
    draw_literal_text(shown.c_str(), labelfont(), labelsize(), labelcolor(), x(), y(), w(), h(),
                      align());
  };
  Fl_Group* holder = parent();
  if (holder == nullptr) return draw_text();
  const bool is_window = holder->as_window() != nullptr;
  const int dx = is_window ? 0 : Fl::box_dx(holder->box());
  const int dy = is_window ? 0 : Fl::box_dy(holder->box());
  const int left = is_window ? 0 : holder->x();
  const int top = is_window ? 0 : holder->y();
  fl_push_clip(left + dx, top + dy, holder->w() - Fl::box_dw(holder->box()),
               holder->h() - Fl::box_dh(holder->box()));
  draw_text();
  fl_pop_clip();
}

MemoBox::MemoBox(int x, int y, int w, int h, Fl_Fontsize size, Fl_Align align)
    : Fl_Box(x, y, w, h) {
  box(FL_DOWN_BOX);
  color(kButtonFace);
  use_station_font(*this, size);
  this->align(align | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  set_visible_focus();
}

int MemoBox::handle(int event) {
  switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS:
      return 1;
    case FL_PUSH:
      take_focus();
      return 1;
    case FL_KEYBOARD:
      return is_caret_key(Fl::event_key()) ? 1 : 0;
    default:
      return Fl_Box::handle(event);
  }
}

void MemoBox::draw() {
  draw_box();
  // One pixel inside the sunken edge, where an edit control starts its text.
  const int dx = Fl::box_dx(box()) + 1;
  const int dy = Fl::box_dy(box()) + 1;
  draw_label(x() + dx, y() + dy, w() - 2 * dx, h() - 2 * dy, align());
}

GroupFrame::GroupFrame(int x, int y, int w, int h, Fl_Fontsize size) : Fl_Group(x, y, w, h) {
  end();
  box(FL_NO_BOX);
  color(kButtonFace);
  use_station_font(*this, size);
  align(FL_ALIGN_INSIDE);  // draw() places the caption; the parent must not draw it again
}

void GroupFrame::set_text(const std::string& utf8) {
  copy_label(utf8.c_str());
  redraw();
}

void GroupFrame::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) {
    fl_font(labelfont(), labelsize());
    const int caption_h = fl_height();
    const int frame_top = y() + caption_h / 2;
    fl_color(color());
    fl_rectf(x(), y(), w(), h());
    fl_draw_box(FL_ENGRAVED_FRAME, x(), frame_top, w(), h() - (frame_top - y()), color());
    const char* caption = label() ? label() : "";
    if (*caption) {
      const int caption_w = text_width(*this, caption);
      fl_color(color());
      fl_rectf(x() + kGroupCaptionLeft, y(), caption_w, caption_h);
      draw_label(x() + kGroupCaptionLeft, y(), caption_w, caption_h,
                 FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    }
  }
  draw_children();
}

DropDownList::DropDownList(int x, int y, int w, int h, Fl_Fontsize size) : Fl_Choice(x, y, w, h) {
  use_station_font(*this, size);
  textfont(kFontFace);
  textsize(size);
  down_box(FL_BORDER_BOX);
  rebuild(-1);
}

int DropDownList::key_target(int key) const {
  const int last = item_count() - 1;
  const int current = selected();
  switch (key) {
    case FL_Up:
    case FL_Left:
      return current < 0 ? 0 : std::max(0, current - 1);
    case FL_Down:
    case FL_Right:
      return std::min(last, current + 1);
    case FL_Home:
    case FL_Page_Up:
      return 0;
    case FL_End:
    case FL_Page_Down:
      return last;
    default:
      return -2;
  }
}

int DropDownList::handle(int event) {
  if (event == FL_KEYBOARD && Fl::focus() == this && !(Fl::event_state() & FL_ALT)) {
    const int target = key_target(Fl::event_key());
    if (target != -2) {
      if (target >= 0 && target < item_count()) {
        select(target);
        do_callback();
      }
      return 1;
    }
  }
  return Fl_Choice::handle(event);
}

void DropDownList::clear_items() {
  texts_.clear();
  rebuild(-1);
}

void DropDownList::add_item(const std::string& utf8) {
  const int index = selected();
  texts_.push_back(utf8);
  rebuild(index);
}

void DropDownList::select(int index) {
  if (index < 0)
    value(static_cast<const Fl_Menu_Item*>(nullptr));
  else
    value(index);
  redraw();
}

void DropDownList::rebuild(int index) {
  // The menu points into items_: build the new array whole, then hand it over.
  std::vector<Fl_Menu_Item> next(texts_.size() + 1);  // value-initialised: the last ends it
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    next[i].text = texts_[i].c_str();
    next[i].labeltype_ = kLiteralLabel;
    next[i].labelfont_ = textfont();
    next[i].labelsize_ = textsize();
    next[i].labelcolor_ = FL_BLACK;
  }
  menu(next.data());
  items_ = std::move(next);  // moving keeps the buffer the menu points to
  select(index);
}

PushButton::PushButton(int x, int y, int w, int h, Fl_Fontsize size) : Fl_Button(x, y, w, h) {
  use_station_font(*this, size);
  color(kButtonFace);
}

int PushButton::handle(int event) {
  if (event == FL_KEYBOARD && Fl::focus() == this &&
      (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    do_callback();
    return 1;
  }
  return Fl_Button::handle(event);
}

Fl_Boxtype panel_box(bool outer_raised, bool outer_lowered, bool inner_raised, bool inner_lowered) {
  const bool outer = outer_raised || outer_lowered;
  const bool inner = inner_raised || inner_lowered;
  if (!outer && !inner) return FL_FLAT_BOX;
  if (outer && inner) {
    if (outer_raised && inner_raised) return FL_UP_BOX;
    if (outer_lowered && inner_lowered) return FL_DOWN_BOX;
    return outer_raised ? FL_EMBOSSED_BOX : FL_ENGRAVED_BOX;
  }
  return (outer_raised || inner_raised) ? FL_THIN_UP_BOX : FL_THIN_DOWN_BOX;
}

}  // namespace lumenpoll
