#include "check/utf8_text.h"

#include <algorithm>

#include "check/report_text.h"

namespace lumenpoll {

namespace {

unsigned char byte_at(std::string_view text, std::size_t i) {
  return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

bool continuation(unsigned char c) {
  return c >= 0x80 && c <= 0xBF;
}

// The length of the well-formed sequence that starts at i, or 0: no overlong forms, no
// surrogates, nothing past U+10FFFF.
std::size_t sequence_length(std::string_view text, std::size_t i) {
  const unsigned char lead = byte_at(text, i);
  const unsigned char second = byte_at(text, i + 1);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (second < low || second > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (!continuation(byte_at(text, i + k))) return 0;
  return length;
}

// The blank-separated word of text around position at, cut to a length a report line holds.
std::string word_around(std::string_view text, std::size_t at) {
  constexpr std::size_t kLongest = 40;
  std::size_t start = text.find_last_of(" \t", at);
  start = start == std::string_view::npos ? 0 : start + 1;
  std::size_t end = text.find_first_of(" \t", at);
  if (end == std::string_view::npos) end = text.size();
  return std::string(text.substr(start, std::min(end - start, kLongest)));
}

}  // namespace

std::size_t first_utf8_sequence(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (sequence_length(text, i) > 0) return i;
  return std::string_view::npos;
}

void Utf8Lines::line(int number, std::string_view text) {
  const std::size_t at = first_utf8_sequence(text);
  if (at == std::string_view::npos) return;
  if (first_line_ != 0) {
    ++more_lines_;
    return;
  }
  first_line_ = number;
  word_ = word_around(text, at);
}

std::string Utf8Lines::finding(const std::string& how_seen) const {
  if (first_line_ == 0) return {};
  std::string where = "line " + std::to_string(first_line_);
  if (more_lines_ > 0)
    where += " and " + std::to_string(more_lines_) + (more_lines_ == 1 ? " other" : " others");
  return where + ": UTF-8 text, as Notepad saves a file unless told otherwise, but the program " +
         "reads the file in the station's ANSI code page, so " + how_seen + " " + quoted(word_) +
         ": save the file with the encoding ANSI";
}

}  // namespace lumenpoll
