#include "base/listing_order.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "base/text.h"

namespace lumenpoll {

namespace {

// The upper-cased first 16 bytes of a name, packed once into two integers that compare
// as the bytes do, decide almost every comparison without going back to the names.
struct Key {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  std::size_t index = 0;
};

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

// Eight bytes of the name from position from, upper-cased, first byte highest; zeros past
// the end, so that a shorter name comes first.
std::uint64_t packed(std::string_view name, std::size_t from) {
  std::uint64_t bytes = 0;
  if (from < name.size())
    std::memcpy(&bytes, name.data() + from, std::min<std::size_t>(8, name.size() - from));
  return first_byte_highest(upper_cased(bytes));
}

}  // namespace

std::vector<std::size_t> listing_order(const std::vector<std::string_view>& names) {
  std::vector<Key> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    keys[i] = {packed(names[i], 0), packed(names[i], 8), i};
  std::sort(keys.begin(), keys.end(), [&names](const Key& a, const Key& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return text::name_listed_before(names[a.index], names[b.index]);
  });
  std::vector<std::size_t> order(keys.size());
  std::transform(keys.begin(), keys.end(), order.begin(), [](const Key& k) { return k.index; });
  return order;
}

}  // namespace lumenpoll
