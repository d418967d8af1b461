#pragma once

#include <string>
#include <string_view>

namespace lumenpoll {

// The station's texts are single-byte Windows-1252; FLTK draws UTF-8 and the start-up log
// is written in it. Bytes that Windows-1252 leaves undefined become U+FFFD so that they
// stay visible.
std::string cp1252_to_utf8(std::string_view text);

}  // namespace lumenpoll
