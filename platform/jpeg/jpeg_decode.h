#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace lumenpoll {

// A decoded picture: rows top to bottom, three bytes per pixel in the order red, green, blue.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
};

// Decodes a JPEG held in memory with libjpeg; nothing when it is not a readable JPEG. Grey
// pictures come out as RGB; a scan cut short is padded, as libjpeg does.
std::optional<RgbImage> decode_jpeg_rgb(const unsigned char* data, std::size_t size);

}  // namespace lumenpoll
