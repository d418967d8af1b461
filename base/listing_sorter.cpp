#include "base/listing_sorter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/capacity.h"
#include "base/text.h"

namespace lumenpoll {

namespace {

constexpr std::uint64_t kEachByte = 0x0101010101010101;

// Upper-cases the letters a to z of eight bytes at once, leaving every other byte alone.
std::uint64_t upper_cased(std::uint64_t bytes) {
  const std::uint64_t low7 = bytes & (0x7F * kEachByte);
  const std::uint64_t from_a = low7 + (0x80 - 'a') * kEachByte;      // top bit: byte >= 'a'
  const std::uint64_t past_z = low7 + (0x80 - 'z' - 1) * kEachByte;  // top bit: byte > 'z'
  const std::uint64_t lower = from_a & ~past_z & ~bytes & (0x80 * kEachByte);
  return bytes - (lower >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

std::uint64_t first_byte_highest(std::uint64_t v) {
  if constexpr (std::endian::native == std::endian::big) return v;
  v = ((v & 0x00FF00FF00FF00FF) << 8) | ((v >> 8) & 0x00FF00FF00FF00FF);
  v = ((v & 0x0000FFFF0000FFFF) << 16) | ((v >> 16) & 0x0000FFFF0000FFFF);
  return (v << 32) | (v >> 32);
}

// The first twelve bytes of the name, upper-cased, first byte highest: eight in high and
// four in low; zeros past the end, so that a shorter name comes first.
void pack(std::string_view name, std::uint64_t& high, std::uint32_t& low) {
  std::uint64_t bytes[2] = {0, 0};
  std::memcpy(bytes, name.data(), std::min<std::size_t>(12, name.size()));
  high = first_byte_highest(upper_cased(bytes[0]));
  low = static_cast<std::uint32_t>(first_byte_highest(upper_cased(bytes[1])) >> 32);
}

}  // namespace

void ListingSorter::Sort(std::vector<FolderEntry>& entries) {
  keys_.clear();
  make_room(keys_, entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Key key;
    pack(entries[i].name, key.high, key.low);
    key.index = static_cast<std::uint32_t>(i);
    keys_.push_back(key);
  }
  std::sort(keys_.begin(), keys_.end(), [&entries](const Key& a, const Key& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return text::name_listed_before(entries[a.index].name, entries[b.index].name);
  });
  // Each entry moves once along the cycles of the order: names change hands, none is copied.
  constexpr std::uint32_t kPlaced = UINT32_MAX;
  for (std::size_t start = 0; start < keys_.size(); ++start) {
    if (keys_[start].index == kPlaced || keys_[start].index == start) continue;
    FolderEntry first = std::move(entries[start]);
    std::size_t to = start;
    for (;;) {
      const std::size_t from = std::exchange(keys_[to].index, kPlaced);
      if (from == start) {
        entries[to] = std::move(first);
        break;
      }
      entries[to] = std::move(entries[from]);
      to = from;
    }
  }
}

}  // namespace lumenpoll
