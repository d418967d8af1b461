// embed-logo-pixels INPUT.jpg OUTPUT.cpp: decodes the JPEG and writes a C++ source that
// defines the pixels declared in platform/jpeg/logo_pixels.h.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/jpeg/jpeg_decode.h"

namespace {

std::optional<std::vector<unsigned char>> read_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::string source_for(const lumenpoll::RgbImage& image) {
  std::ostringstream out;
  out << "// Made by embed-logo-pixels at build time; do not edit.\n"
      << "#include \"platform/jpeg/logo_pixels.h\"\n\nnamespace lumenpoll {\n\n"
      << "extern const int kLogoWidth = " << image.width << ";\n"
      << "extern const int kLogoHeight = " << image.height << ";\n"
      << "extern const unsigned char kLogoRgb[] = {";
  constexpr std::size_t kPerLine = 16;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    out << (i % kPerLine == 0 ? "\n   " : "") << ' ' << static_cast<unsigned>(image.pixels[i])
        << ',';
  }
  out << "\n};\n\n}  // namespace lumenpoll\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: embed-logo-pixels INPUT.jpg OUTPUT.cpp\n";
    return 2;
  }
  const auto jpeg = read_file(argv[1]);
  if (!jpeg) {
    std::cerr << "embed-logo-pixels: cannot read " << argv[1] << '\n';
    return 1;
  }
  const auto image = lumenpoll::decode_jpeg_rgb(jpeg->data(), jpeg->size());
  if (!image) {
    std::cerr << "embed-logo-pixels: " << argv[1] << " is not a readable JPEG\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << source_for(*image);
  out.close();
  if (!out) {
    std::cerr << "embed-logo-pixels: cannot write " << argv[2] << '\n';
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
