#include "base/timer.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/errors.h"
#include "fakes/virtual_clock.h"

namespace lumenpoll {
namespace {

using Ticks = std::vector<std::int64_t>;

struct Clocked {
  fakes::VirtualClock clock;
  Ticks ticks;
  Timer timer{clock, 1000, [this] { ticks.push_back(clock.now_ms); }};
};

TEST(Timer, EnablingAgainDoesNotRestartTheInterval) {
  Clocked t;
  t.timer.SetEnabled(true);
  t.clock.advance(600);
  t.timer.SetEnabled(true);
  t.clock.advance(1500);
  EXPECT_EQ(t.ticks, (Ticks{1000, 2000}));
}

TEST(Timer, DisableThenEnableStartsAFullInterval) {
  Clocked t;
  t.timer.SetEnabled(true);
  t.clock.advance(600);
  t.timer.SetEnabled(false);
  t.timer.SetEnabled(true);
  t.clock.advance(1700);
  EXPECT_EQ(t.ticks, (Ticks{1600}));
  t.timer.SetEnabled(false);
  t.clock.advance(5000);
  EXPECT_EQ(t.ticks, (Ticks{1600}));
  EXPECT_EQ(t.clock.running(), 0u);
}

TEST(Timer, RefusedTimerStaysMarkedEnabledAndNeverFires) {
  Clocked t;
  t.clock.refuse = true;
  EXPECT_THROW(t.timer.SetEnabled(true), EOutOfResources);
  EXPECT_TRUE(t.timer.Enabled());
  t.clock.refuse = false;
  EXPECT_NO_THROW(t.timer.SetEnabled(true));  // already marked enabled: nothing happens
  t.clock.advance(3000);
  EXPECT_TRUE(t.ticks.empty());
  try {
    Timer other(t.clock, 10, [] {});
    t.clock.refuse = true;
    other.SetEnabled(true);
    FAIL();
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
}

// A handler that opens a box stands in a nested message loop: its own ticks are dropped
// there, another timer's are not, and its own resume once the handler has returned.
TEST(Timer, HandlerNeverRunsInsideItselfWhileOthersKeepFiring) {
  fakes::VirtualClock clock;
  Ticks slow_ticks;
  Ticks other_ticks;
  int depth = 0;
  int max_depth = 0;
  Timer slow(clock, 1000, [&] {
    max_depth = std::max(max_depth, ++depth);
    slow_ticks.push_back(clock.now_ms);
    if (slow_ticks.size() == 1) clock.advance(3500);  // the operator reads the box
    --depth;
  });
  Timer other(clock, 1000, [&] { other_ticks.push_back(clock.now_ms); });
  slow.SetEnabled(true);
  other.SetEnabled(true);
  clock.advance(6000);
  EXPECT_EQ(max_depth, 1);
  EXPECT_EQ(slow_ticks, (Ticks{1000, 5000, 6000}));
  EXPECT_EQ(other_ticks, (Ticks{1000, 2000, 3000, 4000, 5000, 6000}));
}

}  // namespace
}  // namespace lumenpoll
