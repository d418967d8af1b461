#include "platform/posix/command_line.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  const struct {
    std::string text;
    Args args;
  } cases[] = {
      {"", {}},
      {" \t  ", {}},
      {"shot01 thorax_lat", {"shot01", "thorax_lat"}},
      {"  shot01\t\tthorax_lat  ", {"shot01", "thorax_lat"}},
      {R"("a b" c)", {"a b", "c"}},
      {R"(ab"c d"e)", {"abc de"}},
      {R"("")", {""}},
      {R"(a "" b)", {"a", "", "b"}},
      {R"("a""b")", {"a\"b"}},
      {R"("a""b c" d)", {"a\"b c", "d"}},
      {R"("a b)", {"a b"}},
      {R"(a\b c\\d)", {R"(a\b)", R"(c\\d)"}},
      {R"(C:\dir\ x)", {R"(C:\dir\)", "x"}},
      {R"(\"a)", {"\"a"}},
      {R"(\\"a b")", {R"(\a b)"}},
      {R"(\\\"a)", {R"(\"a)"}},
      {R"("tab	inside")", {"tab\tinside"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(split_command_line(c.text), c.args) << c.text;
  }
}

}  // namespace
}  // namespace lumenpoll
