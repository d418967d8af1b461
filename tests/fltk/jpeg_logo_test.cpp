#include "platform/fltk/jpeg_logo.h"

#include <FL/Fl_RGB_Image.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "platform/jpeg/jpeg_decode.h"
#include "platform/jpeg/logo_pixels.h"

namespace lumenpoll {
namespace {

// A small grey-scale JPEG made with libjpeg itself.
std::vector<unsigned char> grey_jpeg(int width, int height) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(width, 200);
  while (info.next_scanline < info.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<unsigned char> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

TEST(JpegLogo, TheCompiledLogoIsASixtyPixelSquare) {
  const std::unique_ptr<Fl_RGB_Image> logo = load_logo();
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->w(), 60);
  EXPECT_EQ(logo->h(), 60);
  EXPECT_EQ(logo->d(), 3);
}

// The Windows programs embed the pixels that embed-logo-pixels wrote at build time.
TEST(JpegLogo, ThePixelsMadeAtBuildTimeAreTheDecodedLogo) {
  const auto decoded = decode_jpeg_rgb(kLogoJpeg, kLogoJpegSize);
  ASSERT_TRUE(decoded.has_value());
  ASSERT_EQ(kLogoWidth, decoded->width);
  ASSERT_EQ(kLogoHeight, decoded->height);
  EXPECT_TRUE(std::equal(decoded->pixels.begin(), decoded->pixels.end(), kLogoRgb));
}

TEST(JpegLogo, GreyImagesComeOutAsRgb) {
  const std::vector<unsigned char> jpeg = grey_jpeg(5, 3);
  const std::unique_ptr<Fl_RGB_Image> image = decode_jpeg(jpeg.data(), jpeg.size());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->w(), 5);
  EXPECT_EQ(image->h(), 3);
  ASSERT_EQ(image->d(), 3);
  const auto* pixel = reinterpret_cast<const unsigned char*>(image->data()[0]);
  EXPECT_NEAR(pixel[0], 200, 2);
  EXPECT_EQ(pixel[0], pixel[1]);
  EXPECT_EQ(pixel[1], pixel[2]);
}

TEST(JpegLogo, DataThatDoesNotDecodeGivesNoImage) {
  const std::vector<unsigned char> logo(kLogoJpeg, kLogoJpeg + kLogoJpegSize);
  const std::vector<unsigned char> garbage = {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  const std::vector<unsigned char> header_only(logo.begin(), logo.begin() + 20);
  std::vector<unsigned char> bad_marker = logo;
  bad_marker[1] = 0x00;  // SOI is FF D8

  EXPECT_EQ(decode_jpeg(nullptr, 0), nullptr);
  EXPECT_EQ(decode_jpeg(logo.data(), 0), nullptr);
  EXPECT_EQ(decode_jpeg(garbage.data(), garbage.size()), nullptr);
  EXPECT_EQ(decode_jpeg(header_only.data(), header_only.size()), nullptr);
  EXPECT_EQ(decode_jpeg(bad_marker.data(), bad_marker.size()), nullptr);
}

TEST(JpegLogo, ACutOffScanIsPaddedNotRefused) {
  // libjpeg only warns about missing scan data and fills the rest: warnings stay silent.
  const std::vector<unsigned char> cut(kLogoJpeg, kLogoJpeg + kLogoJpegSize * 3 / 4);
  const std::unique_ptr<Fl_RGB_Image> image = decode_jpeg(cut.data(), cut.size());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->w(), 60);
  EXPECT_EQ(image->h(), 60);
}

}  // namespace
}  // namespace lumenpoll
