#include "platform/fltk/look.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include "platform/fltk/literal_label.h"

namespace lumenpoll {

void use_station_look() {
  fl_open_display();
  Fl::set_font(kFontFace, kFontName);
  Fl::background(0xF0, 0xF0, 0xF0);
  Fl::background2(0xFF, 0xFF, 0xFF);
  Fl::foreground(0x00, 0x00, 0x00);
  Fl::set_color(FL_SELECTION_COLOR, 0x33, 0x99, 0xFF);
  register_literal_label();
}

}  // namespace lumenpoll
