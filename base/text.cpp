#include "base/text.h"

namespace lumenpoll::text {

namespace {

bool is_blank_or_control(char c) {
  return static_cast<unsigned char>(c) <= ' ';
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
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
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

std::string file_name(const std::string& path) {
  std::size_t separator = path.find_last_of("\\:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string file_ext(const std::string& path) {
  std::string name = file_name(path);
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool same_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && upper_case(a) == upper_case(b);
}

bool name_listed_before(const std::string& a, const std::string& b) {
  const std::string upper_a = upper_case(a);
  const std::string upper_b = upper_case(b);
  if (upper_a != upper_b) return upper_a < upper_b;
  return a < b;
}

}  // namespace lumenpoll::text
