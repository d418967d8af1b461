#pragma once

#include <FL/Enumerations.H>

namespace lumenpoll {

// FLTK's normal labels read '@' as a symbol and '&' as a shortcut mark; the station's
// texts (file names among them) must show exactly as they are.
inline constexpr Fl_Labeltype kLiteralLabel = FL_FREE_LABELTYPE;

// Makes kLiteralLabel usable; call before drawing any widget that uses it.
void register_literal_label();

}  // namespace lumenpoll
