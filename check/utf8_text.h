#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumenpoll {

// Where text holds its first well-formed UTF-8 sequence of two to four bytes; npos when it
// holds none. Text in a single-byte code page seldom forms one by chance.
std::size_t first_utf8_sequence(std::string_view text);

// Notes the lines of one file that hold UTF-8 text. The station reads its files in the ANSI
// code page, where each such letter becomes two or three others ("é" reads as "Ã©").
class Utf8Lines {
 public:
  void line(int number, std::string_view text);

  // "line N holds UTF-8 text ...", naming the first word the program reads otherwise than its
  // author wrote it, as the program has it; empty when no line holds any. how_seen says what
  // becomes of the text: "the window shows".
  std::string finding(const std::string& how_seen) const;

 private:
  int first_line_ = 0;
  int more_lines_ = 0;
  std::string word_;
};

}  // namespace lumenpoll
