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

// In this session (or when the holder cannot be asked) the holder comes forward; in another
// account's, or the same account's other session, the start says who holds the station.
TEST(RunAlone, AHeldStationBringsItsHolderForwardOrNamesIt) {
  struct Case {
    std::optional<StationHolder> holder;
    bool named;
  };
  const Case cases[] = {
      {StationHolder{"anna", ":0"}, false},
      {std::nullopt, false},
      {StationHolder{"ben", ":0"}, true},
      {StationHolder{"anna", ":1"}, true},
  };
  for (const Case& c : cases) {
    Start start;
    start.lock.free = false;
    start.lock.held_by = c.holder;
    SCOPED_TRACE(c.holder ? c.holder->user + " " + c.holder->session : "cannot be asked");
    EXPECT_EQ(start.run(), 0);
    EXPECT_FALSE(start.ran);
    EXPECT_EQ(start.lock.brought_forward, c.named ? 0 : 1);
    ASSERT_EQ(start.box.shown.size(), c.named ? 1u : 0u);
    if (!c.named) continue;
    EXPECT_EQ(start.box.shown[0].caption, "Orvend Image Processing");
    EXPECT_EQ(start.box.shown[0].text,
              "lumenpoll is already running for " + c.holder->user +
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
