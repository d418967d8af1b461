#include "base/errors.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/system_message.h"

namespace lumenpoll {
namespace {

TEST(EInOutError, CarriesItsCodeAndTheMessageOfTheTable) {
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {32, "I/O error 32"},
      {0, "I/O error 0"},
      {-7, "I/O error -7"},
      {1, "I/O error 1"},
  };
  for (const auto& [code, message] : cases) {
    EInOutError error(code);
    EXPECT_EQ(error.ErrorCode(), code);
    EXPECT_STREQ(error.what(), message);
    EXPECT_EQ(EInOutError::message_for(code), message);
  }
}

TEST(SystemMessageText, DropsTrailingBlanksControlsAndPeriods) {
  const std::vector<std::pair<std::string, std::string>> table = {
      {"Access is denied.\r\n", "Access is denied"},
      {"Trailing dots . .\t\r\n", "Trailing dots"},
      {"a.b", "a.b"},
      {"  lead kept", "  lead kept"},
      {"...", ""},
      {"", ""},
  };
  for (const auto& [message, expected] : table) EXPECT_EQ(system_message_text(message), expected);
}

}  // namespace
}  // namespace lumenpoll
