#include "platform/fltk/jpeg_logo.h"

#include <FL/Fl_RGB_Image.H>

#include "platform/jpeg/jpeg_decode.h"

namespace lumenpoll {

std::unique_ptr<Fl_RGB_Image> decode_jpeg(const unsigned char* data, std::size_t size) {
  std::optional<RgbImage> rgb = decode_jpeg_rgb(data, size);
  if (!rgb) return nullptr;
  // The view wraps our buffer; copy() hands back an image that owns its pixels.
  Fl_RGB_Image view(rgb->pixels.data(), rgb->width, rgb->height, 3);
  return std::unique_ptr<Fl_RGB_Image>(static_cast<Fl_RGB_Image*>(view.copy()));
}

std::unique_ptr<Fl_RGB_Image> load_logo() {
  return decode_jpeg(kLogoJpeg, kLogoJpegSize);
}

}  // namespace lumenpoll
