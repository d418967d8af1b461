#include <gtest/gtest.h>

#include "base/application.h"

namespace lumenpoll {
namespace {

TEST(ErrorBoxText, AddsAPeriodUnlessTheMessageEndsAtOrBelowIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"Invalid folder", "Invalid folder."},
      {"", ""},
      {"x.", "x."},
      {"a!", "a!"},  // '!' is below '.'
      {"a-", "a-"},  // so is '-'
      {"a ", "a "},
      {"I/O error 32", "I/O error 32."},
      {"a/", "a/."},  // '/' is just above '.'
      {"caf\xE9", "caf\xE9."},
  };
  for (const auto& [message, shown] : cases) EXPECT_EQ(error_box_text(message), shown) << message;
}

}  // namespace
}  // namespace lumenpoll
