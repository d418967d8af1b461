#include "base/station_lock.h"

#include <gtest/gtest.h>

#include "fakes/fake_error_box.h"

namespace lumenpoll {
namespace {

struct FakeLock : StationLock {
  bool free = true;
  std::optional<StationHolder> held_by;
  StationHolder me{"anna", ":0"};
  int brought_forward = 0;

  bool acquire() override { return free; }
  std::optional<StationHolder> holder() override { return held_by; }
  StationHolder self() const override { return me; }
  void bring_holder_forward() override { ++brought_forward; }
};

struct Start {
  FakeLock lock;
  fakes::FakeErrorBox box;
  Application app{"Orvend Image Processing", box};
  bool ran = false;

  int run() {
    return run_alone(lock, app, [this] {
      ran = true;
      return 7;
    });
  }
};

TEST(RunAlone, AFreeStationRunsTheProgram) {
  Start start;
  EXPECT_EQ(start.run(), 7);
  EXPECT_TRUE(start.ran);
  EXPECT_EQ(start.lock.brought_forward, 0);
}

// In this session the holder comes forward; a holder that cannot be asked is taken for one.
TEST(RunAlone, AHolderInThisSessionIsBroughtForward) {
  for (const std::optional<StationHolder>& holder :
       {std::optional<StationHolder>{{"anna", ":0"}}, std::optional<StationHolder>{}}) {
    Start start;
    start.lock.free = false;
    start.lock.held_by = holder;
    EXPECT_EQ(start.run(), 0);
    EXPECT_FALSE(start.ran);
    EXPECT_EQ(start.lock.brought_forward, 1);
    EXPECT_TRUE(start.box.shown.empty());
  }
}

// Another account, or the same one in another session: told in a box, nothing else.
TEST(RunAlone, AHolderInAnotherSessionIsNamedInABox) {
  for (const StationHolder& holder : {StationHolder{"ben", ":0"}, StationHolder{"anna", ":1"}}) {
    Start start;
    start.lock.free = false;
    start.lock.held_by = holder;
    EXPECT_EQ(start.run(), 0);
    EXPECT_FALSE(start.ran);
    EXPECT_EQ(start.lock.brought_forward, 0);
    ASSERT_EQ(start.box.shown.size(), 1u);
    EXPECT_EQ(start.box.shown[0].caption, "Orvend Image Processing");
    EXPECT_EQ(start.box.shown[0].text,
              "lumenpoll is already running for " + holder.user +
                  " on this station. Close it in that session to run it here.");
  }
}

TEST(HolderLine, IsReadBackAndNothingElseIsTakenForOne) {
  const StationHolder holder{"Dr. \xD6lund", "1\\Default"};
  EXPECT_EQ(parse_holder_line(holder_line(holder)), holder);
  for (const char* line :
       {"", "\n", "lumenpoll station\tanna\n", "lumenpoll station\tanna\t:0", "other\tanna\t:0\n",
        "lumenpoll station\t\t:0\n", "lumenpoll station\tanna\t:0\tmore\n"})
    EXPECT_EQ(parse_holder_line(line), std::nullopt) << line;
}

}  // namespace
}  // namespace lumenpoll
