#pragma once

#include <FL/Enumerations.H>

#include "platform/common/grid_layout.h"

namespace lumenpoll {

// The station's look, as its Windows desktop shows it.

// A sans face with the metrics of the station's 8-point dialog font, so that every text
// fits where the window definition puts it; falls back to FLTK's sans.
inline constexpr Fl_Font kFontFace = FL_FREE_FONT;
inline constexpr const char* kFontName = " DejaVu Sans Condensed,sans";
// The error box's text size; the main window takes its own from its definition.
inline constexpr Fl_Fontsize kMessageFontSize = 11;

inline constexpr Fl_Color kButtonFace = 0xF0F0F000;  // RGB colours: 0xRRGGBB00
inline constexpr Fl_Color kWindowWhite = 0xFFFFFF00;
inline constexpr Fl_Color kHighlight = 0x3399FF00;
inline constexpr Fl_Color kHighlightText = 0xFFFFFF00;
inline constexpr Fl_Color kGridLine = GridLayout::kLineRgb << 8;
inline constexpr Fl_Color kFixedGridLine = FL_BLACK;

// Sets the toolkit's font, palette and label type for the station's windows. Opens the
// display. Repeated calls change nothing.
void use_station_look();

}  // namespace lumenpoll
