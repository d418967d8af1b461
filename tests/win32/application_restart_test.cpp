#include "platform/win32/application_restart.h"

#include <gtest/gtest.h>

#include <string>

namespace lumenpoll {
namespace {

std::wstring registered_line;
DWORD registered_flags = 0;

HRESULT WINAPI record(PCWSTR command_line, DWORD flags) {
  registered_line = command_line;
  registered_flags = flags;
  return S_OK;
}

// What the system is asked for: no arguments, and restarts after updates only.
TEST(ApplicationRestart, RegistersForUpdatesOnlyWithoutArguments) {
  ASSERT_EQ(register_for_restart(record), S_OK);
  EXPECT_EQ(registered_line, L"");
  EXPECT_EQ(registered_flags, static_cast<DWORD>(RESTART_NO_CRASH | RESTART_NO_HANG));
  EXPECT_EQ(registered_flags & (RESTART_NO_PATCH | RESTART_NO_REBOOT), 0u);
}

TEST(ApplicationRestart, TheSystemTakesTheRegistration) {
  EXPECT_EQ(register_for_restart(), S_OK);
}

}  // namespace
}  // namespace lumenpoll
