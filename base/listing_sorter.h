#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumenpoll {

// Puts the names of a folder into the station's listing order (text::name_listed_before),
// each with a small tag of the caller's. It keeps its memory from one listing to the next,
// so a folder read every second is sorted without allocating once it has been read.
class ListingSorter {
 public:
  void Clear();
  void Add(std::string_view name, std::uint8_t tag);
  void Sort();

  // After Sort: the i-th name listed and its tag.
  std::size_t Size() const { return keys_.size(); }
  std::string_view Name(std::size_t i) const;
  std::uint8_t Tag(std::size_t i) const { return names_[keys_[i].index].tag; }

 private:
  struct Stored {
    std::uint32_t offset = 0;  // in text_
    std::uint32_t length = 0;
    std::uint8_t tag = 0;
  };
  // The upper-cased first 12 bytes of a name, packed into integers that compare as the bytes
  // do, decide almost every comparison without going back to the names; 16 bytes in all,
  // so that sorting moves little.
  struct Key {
    std::uint64_t high = 0;
    std::uint32_t low = 0;
    std::uint32_t index = 0;  // in names_
  };

  std::string text_;  // all names, one after the other
  std::vector<Stored> names_;
  std::vector<Key> keys_;
};

}  // namespace lumenpoll
