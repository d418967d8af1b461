#include "platform/fltk/literal_label.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace lumenpoll {
namespace {

class ShortcutsOff {
 public:
  ShortcutsOff() : saved_(fl_draw_shortcut) { fl_draw_shortcut = 0; }
  ShortcutsOff(const ShortcutsOff&) = delete;
  ShortcutsOff& operator=(const ShortcutsOff&) = delete;
  ~ShortcutsOff() { fl_draw_shortcut = saved_; }

 private:
  char saved_;
};

void draw_literal(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
  draw_literal_text(label->value ? label->value : "", label->font, label->size, label->color, x, y,
                    w, h, align, label->image);
}

void measure_literal(const Fl_Label* label, int& w, int& h) {
  fl_font(label->font, label->size);
  fl_measure(label->value ? label->value : "", w, h, 0);
}

}  // namespace

void draw_literal_text(const char* utf8, Fl_Font font, Fl_Fontsize size, Fl_Color color, int x,
                       int y, int w, int h, Fl_Align align, Fl_Image* image) {
  ShortcutsOff no_shortcuts;
  fl_font(font, size);
  fl_color(color);
  fl_draw(utf8, x, y, w, h, align, image, 0);
}

void register_literal_label() {
  Fl::set_labeltype(kLiteralLabel, draw_literal, measure_literal);
}

}  // namespace lumenpoll
