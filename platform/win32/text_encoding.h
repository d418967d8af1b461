#pragma once

#include <string>

namespace lumenpoll {

// The station's texts are in the system's ANSI code page, which every single-byte (A)
// function takes; these cross to UTF-16 for the few calls that have no single-byte form
// (the shell namespace).
std::wstring ansi_to_wide(const std::string& text);

// A name as the A functions would see it. Where the code page cannot hold a character, or
// holds it as two bytes of which the second reads as an ASCII character (a "\" that is no
// separator), the name holds "?" in its place, which no Windows name holds.
std::string wide_to_ansi(const std::wstring& name);

}  // namespace lumenpoll
