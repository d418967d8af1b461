#include "config/selection_file.h"

#include <cstdint>
#include <limits>

#include "base/text.h"
#include "base/text_file.h"

namespace lumenpoll {

namespace {

int digit_value(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// Consumes a hexadecimal prefix at i, if there is one.
bool skip_hex_prefix(const std::string& text, std::size_t& i) {
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    ++i;
    return true;
  }
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    i += 2;
    return true;
  }
  return false;
}

}  // namespace

int text_to_int(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const int base = skip_hex_prefix(text, i) ? 16 : 10;
  // The magnitude stays within what the sign allows, so -2147483648 is still read.
  const std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0);
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = digit_value(text[i], base);
    if (digit < 0 || magnitude * base + digit > limit) break;
    magnitude = magnitude * base + digit;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

SavedSelection parse_selection_line(const std::string& line) {
  const std::string trimmed = text::trim(line);
  const int p = text::pos(" ", trimmed);
  SavedSelection selection;
  selection.species = text_to_int(text::left(trimmed, p - 1));
  selection.region = text_to_int(text::right(trimmed, static_cast<int>(trimmed.size()) - p));
  return selection;
}

std::string read_selection_line(FileSystem& files, const std::string& path) {
  TextFileReader in(files, path);
  return in.read_line();
}

void write_selection(FileSystem& files, const std::string& path, int species, int region) {
  TextFileWriter out(files, path);
  out.write_line(std::to_string(species) + " " + std::to_string(region));
  out.close();
}

}  // namespace lumenpoll
