#include "platform/win32/logo_bitmap.h"

#include <cstdint>

#include "platform/jpeg/logo_pixels.h"

namespace lumenpoll {

UniqueBitmap make_logo_bitmap() {
  if (kLogoWidth <= 0 || kLogoHeight <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kLogoWidth;
  info.bmiHeader.biHeight = -kLogoHeight;  // rows top to bottom, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;  // no row padding to mind
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return nullptr;
  auto* out = static_cast<std::uint8_t*>(bits);
  const int pixels = kLogoWidth * kLogoHeight;
  for (int i = 0; i < pixels; ++i) {
    out[4 * i + 0] = kLogoRgb[3 * i + 2];  // blue, green, red, unused
    out[4 * i + 1] = kLogoRgb[3 * i + 1];
    out[4 * i + 2] = kLogoRgb[3 * i + 0];
    out[4 * i + 3] = 0;
  }
  return bitmap;
}

}  // namespace lumenpoll
