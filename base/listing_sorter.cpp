#include "base/listing_sorter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

void ListingSorter::Clear() {
  text_.clear();
  names_.clear();
  keys_.clear();
}

void ListingSorter::Add(std::string_view name, std::uint8_t tag) {
  Key key;
  pack(name, key.high, key.low);
  key.index = static_cast<std::uint32_t>(names_.size());
  keys_.push_back(key);
  names_.push_back(
      {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(name.size()), tag});
  text_.append(name);
}

std::string_view ListingSorter::Name(std::size_t i) const {
  const Stored& name = names_[keys_[i].index];
  return std::string_view(text_).substr(name.offset, name.length);
}

void ListingSorter::Sort() {
  std::sort(keys_.begin(), keys_.end(), [this](const Key& a, const Key& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    const Stored& x = names_[a.index];
    const Stored& y = names_[b.index];
    const std::string_view text = text_;
    return text::name_listed_before(text.substr(x.offset, x.length),
                                    text.substr(y.offset, y.length));
  });
}

}  // namespace lumenpoll
