#pragma once

#include <cstddef>
#include <memory>

class Fl_RGB_Image;

namespace lumenpoll {

// The maker's logo, compiled into the program from assets/logo.jpg.
extern const unsigned char kLogoJpeg[];
extern const std::size_t kLogoJpegSize;

// Decodes a JPEG held in memory; null when it is not a readable JPEG.
std::unique_ptr<Fl_RGB_Image> decode_jpeg(const unsigned char* data, std::size_t size);

// The logo as an image; null if it does not decode (the window then shows no logo).
std::unique_ptr<Fl_RGB_Image> load_logo();

}  // namespace lumenpoll
