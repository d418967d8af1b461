#pragma once

#include <optional>
#include <string>

namespace lumenpoll {

// The station's texts are Windows-1252; these cross to UTF-16 for the few calls that have
// no single-byte form (the shell namespace).
std::wstring cp1252_to_wide(const std::string& text);
// Nothing when the text holds a character that Windows-1252 does not have.
std::optional<std::string> wide_to_cp1252(const std::wstring& text);

}  // namespace lumenpoll
