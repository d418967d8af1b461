#pragma once

namespace lumenpoll {

// The maker's logo as pixels, decoded from assets/logo.jpg at build time by
// embed-logo-pixels, for programs built without a libjpeg of their own (Windows). Rows top
// to bottom, three bytes per pixel: red, green, blue.
extern const int kLogoWidth;
extern const int kLogoHeight;
extern const unsigned char kLogoRgb[];

}  // namespace lumenpoll
