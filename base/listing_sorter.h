#pragma once

#include <cstdint>
#include <vector>

#include "base/folder_lister.h"

namespace lumenpoll {

// Puts a folder's entries into the station's listing order (text::name_listed_before), in
// place. It keeps its memory from one listing to the next, so a folder read every second is
// sorted without allocating once it has been read.
class ListingSorter {
 public:
  void Sort(std::vector<FolderEntry>& entries);

 private:
  // The upper-cased first 12 bytes of a name, packed into integers that compare as the bytes
  // do, decide almost every comparison without going back to the names; 16 bytes in all,
  // so that sorting moves little.
  struct Key {
    std::uint64_t high = 0;
    std::uint32_t low = 0;
    std::uint32_t index = 0;  // the entry's place before sorting
  };

  std::vector<Key> keys_;
};

}  // namespace lumenpoll
