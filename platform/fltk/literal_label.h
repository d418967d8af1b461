#pragma once

#include <FL/Enumerations.H>
#include <FL/Fl_Image.H>

namespace lumenpoll {

// FLTK's normal labels read '@' as a symbol and '&' as a shortcut mark; the station's
// texts (file names among them) must show exactly as they are.
inline constexpr Fl_Labeltype kLiteralLabel = FL_FREE_LABELTYPE;

// Makes kLiteralLabel usable; call before drawing any widget that uses it.
void register_literal_label();

// Draws utf8 as a kLiteralLabel label is drawn.
void draw_literal_text(const char* utf8, Fl_Font font, Fl_Fontsize size, Fl_Color color, int x,
                       int y, int w, int h, Fl_Align align, Fl_Image* image = nullptr);

}  // namespace lumenpoll
