#include "base/text.h"

#include <algorithm>

namespace lumenpoll::text {

namespace {

bool is_blank_or_control(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

unsigned char upper(char c) {
  return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

}  // namespace

std::string trim(const std::string& s) {
  std::size_t first = 0;
  std::size_t last = s.size();
  while (first < last && is_blank_or_control(s[first])) ++first;
  while (last > first && is_blank_or_control(s[last - 1])) --last;
  return s.substr(first, last - first);
}

std::string upper_case(const std::string& s) {
  std::string result = s;
  for (char& c : result) c = static_cast<char>(upper(c));
  return result;
}

int pos(const std::string& needle, const std::string& s) {
  return pos_from(needle, s, 1);
}

// A start before the first character searches from the first character.
int pos_from(const std::string& needle, const std::string& s, int start) {
  if (needle.empty() || s.empty()) return 0;
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > s.size()) return 0;
  std::size_t found = s.find(needle, static_cast<std::size_t>(start - 1));
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

std::string left(const std::string& s, int n) {
  if (n <= 0) return {};
  return s.substr(0, static_cast<std::size_t>(n));
}

std::string right(const std::string& s, int n) {
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) >= s.size()) return s;
  return s.substr(s.size() - static_cast<std::size_t>(n));
}

// A start before the first character counts from the first character.
std::string mid(const std::string& s, int start, int count) {
  if (count <= 0) return {};
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > s.size()) return {};
  return s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

std::string_view file_name(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && path[start - 1] != '\\' && path[start - 1] != ':') --start;
  return path.substr(start);
}

std::string_view file_ext(std::string_view path) {
  const std::string_view name = file_name(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

namespace {

// Like memcmp over the upper-cased texts, a shorter prefix first.
int compare_upper(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    const unsigned char x = upper(a[i]);
    const unsigned char y = upper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compare_upper(a, b) == 0;
}

bool name_listed_before(std::string_view a, std::string_view b) {
  const int order = compare_upper(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace lumenpoll::text
