#pragma once

#include <string>
#include <vector>

namespace lumenpoll {

// Splits a parameter text into arguments the way a Windows program splits its command
// line: blanks and tabs separate; double quotes group ("" inside quotes is one literal
// quote); backslashes are literal except before a quote, where 2n of them give n and the
// quote groups, and 2n+1 give n and a literal quote.
std::vector<std::string> split_command_line(const std::string& parameters);

}  // namespace lumenpoll
