#include "platform/win32/win32_timer_backend.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

// Runs the thread's messages for about the given time, as any message loop would.
void pump(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < milliseconds) {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(5);
  }
}

TEST(Win32TimerBackend, ATimerTicksUntilItsHandleGoesEvenWhenItStopsItself) {
  Win32TimerBackend timers;
  int ticks = 0;
  std::unique_ptr<TimerHandle> handle;
  handle = timers.start(10, [&] {
    if (++ticks == 3) handle.reset();  // as a one-shot timer's handler does
  });
  ASSERT_NE(handle, nullptr);
  pump(400);
  EXPECT_EQ(ticks, 3);
}

TEST(Win32TimerBackend, ATimerTheSystemRefusesGivesNoHandle) {
  Win32TimerBackend timers;
  ::DestroyWindow(timers.window());
  EXPECT_EQ(timers.start(1000, [] {}), nullptr);
}

}  // namespace
}  // namespace lumenpoll
