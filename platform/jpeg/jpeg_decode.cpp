#include "platform/jpeg/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <limits>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace lumenpoll {
namespace {

constexpr int kChannels = 3;
constexpr unsigned kMaxSide = 4096;  // far above any logo; keeps the buffer size sane

// libjpeg reports a fatal error by calling error_exit, which must not return.
struct JumpingErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void jump_out(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->jump, 1);
}

void stay_silent(j_common_ptr) {}

bool read_pixels(jpeg_decompress_struct& info, RgbImage& out) {
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != kChannels || info.output_width == 0 || info.output_height == 0 ||
      info.output_width > kMaxSide || info.output_height > kMaxSide) {
    return false;
  }
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  const std::size_t stride = static_cast<std::size_t>(out.width) * kChannels;
  out.pixels.resize(stride * out.height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.pixels.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

// No object with a destructor lives in this frame: libjpeg's errors longjmp back into it.
bool decode_into(const unsigned char* data, std::size_t size, RgbImage& out) {
  if (data == nullptr || size == 0 || size > std::numeric_limits<unsigned long>::max()) {
    return false;
  }
  // Zeroed: an error before jpeg_create_decompress finishes leaves nothing to free.
  jpeg_decompress_struct info{};
  JumpingErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = jump_out;
  errors.base.output_message = stay_silent;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  bool ok = false;
  try {
    ok = read_pixels(info, out);
  } catch (...) {  // no memory for the pixels: no picture
    ok = false;
  }
  jpeg_destroy_decompress(&info);
  return ok;
}

}  // namespace

std::optional<RgbImage> decode_jpeg_rgb(const unsigned char* data, std::size_t size) {
  RgbImage image;
  if (!decode_into(data, size, image)) return std::nullopt;
  return image;
}

}  // namespace lumenpoll
