#include "platform/fltk/fltk_timer_backend.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace lumenpoll {
namespace {

constexpr unsigned kIntervalMs = 10;

// Runs the message loop until done() holds or a generous time-out passes.
bool wait_until(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Fl::wait(0.05);
  }
  return true;
}

// Lets the loop run for several intervals.
void run_loop_for_intervals(int intervals) {
  const auto end =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kIntervalMs) * intervals;
  while (std::chrono::steady_clock::now() < end) Fl::wait(0.005);
}

TEST(FltkTimerBackend, TicksRepeatedlyUntilTheHandleGoes) {
  FltkTimerBackend backend;
  int ticks = 0;
  auto handle = backend.start(kIntervalMs, [&] { ++ticks; });
  ASSERT_NE(handle, nullptr);
  ASSERT_TRUE(wait_until([&] { return ticks >= 3; }));

  handle.reset();
  const int at_stop = ticks;
  run_loop_for_intervals(5);
  EXPECT_EQ(ticks, at_stop);
}

TEST(FltkTimerBackend, KeepsTickingInsideALoopRunByItsOwnTick) {
  // An error box opened by a tick runs a nested loop: the timer must already be re-armed.
  FltkTimerBackend backend;
  int ticks = 0;
  bool nested_done = false;
  auto handle = backend.start(kIntervalMs, [&] {
    if (++ticks == 1) nested_done = wait_until([&] { return ticks >= 4; });
  });
  ASSERT_TRUE(wait_until([&] { return nested_done; }));
  EXPECT_GE(ticks, 4);
}

TEST(FltkTimerBackend, AHandleDestroyedInsideItsOwnTickStopsCleanly) {
  FltkTimerBackend backend;
  int ticks = 0;
  std::unique_ptr<TimerHandle> handle;
  handle = backend.start(kIntervalMs, [&] {
    ++ticks;
    handle.reset();  // the timer is disabled by its own handler
  });
  ASSERT_TRUE(wait_until([&] { return ticks == 1; }));
  run_loop_for_intervals(5);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(handle, nullptr);
}

TEST(FltkTimerBackend, TimersAreIndependent) {
  FltkTimerBackend backend;
  int a = 0;
  int b = 0;
  auto first = backend.start(kIntervalMs, [&] { ++a; });
  auto second = backend.start(kIntervalMs, [&] { ++b; });
  ASSERT_TRUE(wait_until([&] { return a >= 2 && b >= 2; }));
  first.reset();
  const int a_stopped = a;
  const int b_before = b;
  ASSERT_TRUE(wait_until([&] { return b >= b_before + 2; }));
  EXPECT_EQ(a, a_stopped);
}

}  // namespace
}  // namespace lumenpoll
