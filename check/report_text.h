#pragma once

#include <string>

namespace lumenpoll {

// "text" in double quotes, so blanks at its ends show.
std::string quoted(const std::string& text);

// A list position as the selection file counts it, in brackets: "[0]" is the first item.
std::string list_position(int index);

}  // namespace lumenpoll
