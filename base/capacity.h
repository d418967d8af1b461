#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumenpoll {

// Makes room for n elements. What a scan of a crowded folder holds is kept from one scan to
// the next; when it must grow it takes n and an eighth more, never twice its size, so that a
// folder which gains one file does not double the memory its listings take.
template <typename T>
void make_room(std::vector<T>& v, std::size_t n) {
  if (v.capacity() < n) v.reserve(n + n / 8);
}

// A string's reserve may still double it: a fresh one takes exactly what it is given.
inline void make_room(std::string& s, std::size_t n) {
  if (s.capacity() >= n) return;
  std::string grown;
  grown.reserve(n + n / 8);
  grown.append(s);
  s.swap(grown);
}

}  // namespace lumenpoll
