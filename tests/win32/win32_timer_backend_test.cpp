#include "platform/win32/win32_timer_backend.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

// Runs the thread's messages, as any message loop would, until done says so or the time is
// up; gives done's last answer.
template <typename Done>
bool pump_until(DWORD milliseconds, Done done) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < milliseconds) {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(5);
  }
  return done();
}

TEST(Win32TimerBackend, ATimerTicksUntilItsHandleGoesEvenWhenItStopsItself) {
  Win32TimerBackend timers;
  int ticks = 0;
  std::unique_ptr<TimerHandle> handle;
  handle = timers.start(10, [&] {
    if (++ticks == 3) handle.reset();  // as a one-shot timer's handler does
  });
  ASSERT_NE(handle, nullptr);
  ASSERT_TRUE(pump_until(30000, [&] { return ticks >= 3; })) << ticks << " ticks";
  // Ten intervals and more without a tick once the handle has gone.
  pump_until(150, [&] { return ticks > 3; });
  EXPECT_EQ(ticks, 3);
}

TEST(Win32TimerBackend, ATimerTheSystemRefusesGivesNoHandle) {
  Win32TimerBackend timers;
  ::DestroyWindow(timers.window());
  EXPECT_EQ(timers.start(1000, [] {}), nullptr);
}

}  // namespace
}  // namespace lumenpoll
