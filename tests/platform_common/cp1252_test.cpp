#include "platform/common/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace lumenpoll {
namespace {

struct Case {
  const char* what;
  std::string cp1252;
  std::string utf8;
};

TEST(Cp1252ToUtf8, ConvertsEveryRangeOfTheCodePage) {
  const Case cases[] = {
      {"ASCII unchanged", "Waiting for  Image File", "Waiting for  Image File"},
      {"empty", "", ""},
      {"embedded NUL kept", std::string("a\0b", 3), std::string("a\0b", 3)},
      {"euro sign", "\x80", "\xE2\x82\xAC"},
      {"en dash", "\x96", "\xE2\x80\x93"},
      {"trade mark", "\x99", "\xE2\x84\xA2"},
      {"Y diaeresis, last of the block", "\x9F", "\xC5\xB8"},
      {"s caron", "\x9A", "\xC5\xA1"},
      {"undefined 0x81", "\x81", "\xEF\xBF\xBD"},
      {"undefined 0x8D 0x8F 0x90 0x9D", "\x8D\x8F\x90\x9D",
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"no-break space", "\xA0", "\xC2\xA0"},
      {"e acute in a word", "Caf\xE9", "Caf\xC3\xA9"},
      {"y diaeresis, last byte", "\xFF", "\xC3\xBF"},
  };
  for (const Case& c : cases) EXPECT_EQ(cp1252_to_utf8(c.cp1252), c.utf8) << c.what;
}

TEST(Cp1252ToUtf8, EveryByteGivesExactlyOneValidCharacter) {
  for (int b = 1; b < 256; ++b) {
    const std::string out = cp1252_to_utf8(std::string(1, static_cast<char>(b)));
    const auto lead = static_cast<unsigned char>(out[0]);
    const std::size_t expected = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
    ASSERT_EQ(out.size(), expected) << "byte " << b;
    for (std::size_t i = 1; i < out.size(); ++i)
      EXPECT_EQ(static_cast<unsigned char>(out[i]) & 0xC0, 0x80) << "byte " << b;
  }
}

}  // namespace
}  // namespace lumenpoll
