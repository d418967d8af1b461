#include "check/check_options.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

TEST(CheckOptions, ReadsTheCommandLine) {
  EXPECT_EQ(parse_check_options({}).drive, std::nullopt);
  EXPECT_EQ(parse_check_options({"--drive", "/srv/c"}).drive, "/srv/c");
  EXPECT_EQ(parse_check_options({"--drive=/srv/c", "--lite"}).drive, "/srv/c");
  EXPECT_EQ(parse_check_options({"--lite"}).edition, Edition::Lite);
  EXPECT_TRUE(parse_check_options({"--help"}).help);
  EXPECT_TRUE(parse_check_options({"--version"}).version);
  EXPECT_EQ(parse_check_options({"--drive"}).error, "--drive needs a folder");
  EXPECT_EQ(parse_check_options({"--drive="}).error, "--drive needs a folder");
  EXPECT_EQ(parse_check_options({"/srv/c"}).error, "unknown argument \"/srv/c\"");
}

}  // namespace
}  // namespace lumenpoll
