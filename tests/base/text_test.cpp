#include "base/text.h"

#include <gtest/gtest.h>

namespace lumenpoll::text {
namespace {

TEST(Text, TrimRemovesBlanksAndControlsButKeepsHighBytes) {
  EXPECT_EQ(trim(" \t\r\n a b \x1F\x01"), "a b");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(trim(""), "");
  EXPECT_EQ(trim("\xEF\xBB\xBF[x]\xA0"), "\xEF\xBB\xBF[x]\xA0");
}

TEST(Text, UpperCaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(upper_case("az`{AZ09.nef"), "AZ`{AZ09.NEF");
  EXPECT_EQ(upper_case("\xE9\xE0\xFF"), "\xE9\xE0\xFF");
}

struct PosCase {
  const char* needle;
  const char* text;
  int start;
  int expected;
};

TEST(Text, PosFindsFromOneAndGivesZeroWhenAbsent) {
  const PosCase cases[] = {
      {"b", "abcb", 1, 2}, {"cb", "abcb", 1, 3},  {"x", "abc", 1, 0},  {"", "abc", 1, 0},
      {"a", "", 1, 0},     {"b", "abcb", 3, 4},   {"b", "abcb", 4, 4}, {"b", "abcb", 5, 0},
      {"b", "abcb", 0, 2}, {"abcd", "abc", 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.needle) + " in " + c.text + " from " + std::to_string(c.start));
    EXPECT_EQ(pos_from(c.needle, c.text, c.start), c.expected);
    if (c.start == 1) {
      EXPECT_EQ(pos(c.needle, c.text), c.expected);
    }
  }
}

TEST(Text, LeftAndRightClampTheirCount) {
  EXPECT_EQ(left("abc", 0), "");
  EXPECT_EQ(left("abc", -2), "");
  EXPECT_EQ(left("abc", 2), "ab");
  EXPECT_EQ(left("abc", 3), "abc");
  EXPECT_EQ(left("abc", 9), "abc");
  EXPECT_EQ(right("abc", 0), "");
  EXPECT_EQ(right("abc", -1), "");
  EXPECT_EQ(right("abc", 2), "bc");
  EXPECT_EQ(right("abc", 9), "abc");
}

TEST(Text, MidStopsAtTheEnd) {
  EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(mid("abcdef", 5, 9), "ef");
  EXPECT_EQ(mid("abcdef", 6, 1), "f");
  EXPECT_EQ(mid("abcdef", 7, 1), "");
  EXPECT_EQ(mid("abcdef", 2, 0), "");
  EXPECT_EQ(mid("abcdef", 2, -1), "");
  EXPECT_EQ(mid("abcdef", 0, 2), "ab");
}

TEST(Text, FileNameAndExtension) {
  struct Case {
    const char* path;
    const char* name;
    const char* ext;
  };
  const Case cases[] = {
      {"C:\\TOLVA\\import\\shot01.NEF", "shot01.NEF", ".NEF"},
      {"c:shot01.tif", "shot01.tif", ".tif"},
      {"a.b\\c:d\\name.tar.gz", "name.tar.gz", ".gz"},
      {"dir.d\\noext", "noext", ""},
      {"name.", "name.", "."},
      {".hidden", ".hidden", ".hidden"},
      {"C:\\TOLVA\\", "", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(file_name(c.path), c.name);
    EXPECT_EQ(file_ext(c.path), c.ext);
  }
}

}  // namespace
}  // namespace lumenpoll::text
