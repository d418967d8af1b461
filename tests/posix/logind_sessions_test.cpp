#include "platform/posix/logind_sessions.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

TEST(SessionNumber, OnlyAWholeNumberThatFitsIsOne) {
  EXPECT_EQ(session_number("2"), 2u);
  EXPECT_EQ(session_number("4294967294"), 4294967294u);
  for (const char* id : {"", "c1", "2c", " 2", "-2", "+2", "4294967296", "99999999999999999999"})
    EXPECT_EQ(session_number(id), std::nullopt) << id;
}

}  // namespace
}  // namespace lumenpoll
