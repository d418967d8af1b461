#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lumenpoll {

// A text's width in pixels as a view draws it in the control's font.
using TextMeasure = std::function<int(std::string_view text)>;

// The ellipsis of the station's code page (Windows-1252 and most others).
inline constexpr std::string_view kEllipsis = "\x85";

// What a label shows of its text in room pixels (FormDef::text_room): the text itself when
// it fits. Otherwise the name in it, between its first blank and its last dot, loses
// characters from its middle for an ellipsis, so that what comes before the name and after
// it ("Processing " and ".nef 4", "Processed " and ".dcm") and the name's two ends stay
// readable; without such a name the whole text is shortened so. The control keeps the whole
// text; only its drawing is shortened.
std::string fit_text(const std::string& text, int room, const TextMeasure& measure,
                     std::string_view ellipsis = kEllipsis);

}  // namespace lumenpoll
