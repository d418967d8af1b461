#include "base/station_lock.h"

#include <gtest/gtest.h>

#include "fakes/fake_error_box.h"

namespace lumenpoll {
namespace {

// A lock whose every answer the test sets; it notes what holds a handle when a box opens.
struct FakeLock : StationLock {
  bool session_free = true;
  bool free = true;
  bool freed_after_asking = false;  // the holder goes between the first try and the ask
  std::optional<HolderAnswer> answer;
  bool window_found = true;
  StationHolder me{"anna", ":0"};
  bool session_claimed = false;
  int brought_forward = 0;
  int raised = 0;
  bool asked = false;

  bool claim_session() override { return session_claimed = session_free; }
  void drop_session() override { session_claimed = false; }
  bool acquire() override { return free || (asked && freed_after_asking); }
  void release() override {}
  std::optional<HolderAnswer> ask() override {
    asked = true;
    return answer;
  }
  void ask_to_hand_over() override {}
  void answer_with(Decide) override {}
  StationHolder self() const override { return me; }
  void bring_holder_forward() override { ++brought_forward; }
  bool raise_window() override {
    ++raised;
    return window_found;
  }
};

struct Start {
  FakeLock lock;
  fakes::FakeErrorBox box;
  Application app{"Orvend Image Processing", box};
  std::optional<StartAs> ran;
  bool claimed_while_box_open = false;

  int run() {
    box.while_open = [this] { claimed_while_box_open = lock.session_claimed; };
    return run_alone(lock, app, [this](StartAs as) {
      ran = as;
      return 7;
    });
  }
};

TEST(RunAlone, AFreeStationRunsTheProgramAsItsHolder) {
  Start start;
  EXPECT_EQ(start.run(), 7);
  EXPECT_EQ(start.ran, StartAs::Holder);
  EXPECT_TRUE(start.lock.session_claimed);
  EXPECT_EQ(start.lock.brought_forward + start.lock.raised, 0);
}

TEST(RunAlone, AnotherCopyInThisSessionComesForwardWhoeverHoldsTheStation) {
  Start start;
  start.lock.session_free = false;
  EXPECT_EQ(start.run(), 0);
  EXPECT_EQ(start.ran, std::nullopt);
  EXPECT_EQ(start.lock.raised, 1);
  EXPECT_FALSE(start.lock.asked);
  EXPECT_TRUE(start.box.shown.empty());
}

// In this session the holder comes forward; in another account's, or the same account's
// other session, the start says who holds the station. A holder that does not answer comes
// forward by its window, or, with none to be found, is named. The start ends, holding
// nothing by the time its box opens.
TEST(RunAlone, AHeldStationBringsItsHolderForwardOrNamesIt) {
  const std::string held_by_ben =
      "lumenpoll is already running for ben on this station. Close it in that session to run "
      "it here.";
  const std::string silent =
      "lumenpoll is already running on this station but does not answer. Restart the "
      "station; if this comes back, call IT.";
  struct Case {
    const char* what;
    std::optional<HolderAnswer> answer;
    bool window_found;
    std::string box;
    int forward;
    int raised;
  };
  const Case cases[] = {
      {"here", HolderAnswer{{"anna", ":0"}}, true, "", 1, 0},
      {"other account", HolderAnswer{{"ben", ":0"}}, true, held_by_ben, 0, 0},
      {"own other session", HolderAnswer{{"anna", ":1"}}, true,
       "lumenpoll is already running for anna on this station. Close it in that session to "
       "run it here.",
       0, 0},
      {"silent, its window here", std::nullopt, true, "", 0, 1},
      {"silent, no window", std::nullopt, false, silent, 0, 1},
  };
  for (const Case& c : cases) {
    Start start;
    start.lock.free = false;
    start.lock.answer = c.answer;
    start.lock.window_found = c.window_found;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(start.run(), 0);
    EXPECT_EQ(start.ran, std::nullopt);
    EXPECT_EQ(start.lock.brought_forward, c.forward);
    EXPECT_EQ(start.lock.raised, c.raised);
    EXPECT_FALSE(start.lock.session_claimed);
    EXPECT_FALSE(start.claimed_while_box_open);
    ASSERT_EQ(start.box.shown.size(), c.box.empty() ? 0u : 1u);
    if (c.box.empty()) continue;
    EXPECT_EQ(start.box.shown[0].caption, "Orvend Image Processing");
    EXPECT_EQ(start.box.shown[0].text, c.box);
  }
}

TEST(RunAlone, AStartIsHandedTheStationOrTakesItFromAHolderThatHasJustGone) {
  Start handed;
  handed.lock.free = false;
  handed.lock.answer = HolderAnswer{{"ben", ":1"}, HolderVerdict::HandingOver};
  EXPECT_EQ(handed.run(), 7);
  EXPECT_EQ(handed.ran, StartAs::Waiting);
  EXPECT_TRUE(handed.lock.session_claimed);

  Start gone;
  gone.lock.free = false;
  gone.lock.freed_after_asking = true;
  EXPECT_EQ(gone.run(), 7);
  EXPECT_EQ(gone.ran, StartAs::Holder);
  EXPECT_TRUE(gone.box.shown.empty());
}

TEST(HolderLine, IsReadBackAndNothingElseIsTakenForOne) {
  const StationHolder holder{"Dr. \xD6lund", "1\\Default"};
  for (HolderVerdict verdict : {HolderVerdict::Held, HolderVerdict::HandingOver})
    EXPECT_EQ(parse_holder_answer(holder_line(holder, verdict)), (HolderAnswer{holder, verdict}));
  // An earlier version says who it is, and nothing more: held.
  EXPECT_EQ(holder_line(holder), "lumenpoll station\tDr. \xD6lund\t1\\Default\n");
  EXPECT_EQ(parse_holder_answer("lumenpoll station\tanna\t:0\thanding over\n"),
            (HolderAnswer{{"anna", ":0"}, HolderVerdict::HandingOver}));
  for (const char* line :
       {"", "\n", "lumenpoll station\tanna\n", "lumenpoll station\tanna\t:0", "other\tanna\t:0\n",
        "lumenpoll station\t\t:0\n", "lumenpoll station\tanna\t:0\tmore\n",
        "lumenpoll station\tanna\t:0\thanding over\tmore\n"})
    EXPECT_EQ(parse_holder_answer(line), std::nullopt) << line;
}

struct Sessions : ConsoleSessions {
  std::optional<SessionId> at_console;
  std::optional<SessionId> mine;
  std::optional<SessionId> console() const override { return at_console; }
  std::optional<SessionId> own() const override { return mine; }
};

// Only a start at the console takes the station, and only from a holder away from it; an
// unknown session (a console being switched) takes nothing.
TEST(HandsOverTo, AStartAtTheConsoleFromAHolderAwayFromIt) {
  struct Case {
    std::optional<SessionId> console;
    std::optional<SessionId> holder;
    std::optional<SessionId> asker;
    bool hands_over;
  };
  const Case cases[] = {
      {2, 1, 2, true},
      {2, 2, 1, false},
      {3, 1, 2, false},
      {2, 2, 2, false},
      {std::nullopt, 1, 2, false},
      {2, 1, std::nullopt, false},
      {2, std::nullopt, 2, false},
  };
  for (const Case& c : cases) {
    Sessions sessions;
    sessions.at_console = c.console;
    sessions.mine = c.holder;
    EXPECT_EQ(hands_over_to(sessions, c.asker), c.hands_over)
        << c.console.value_or(99) << " " << c.holder.value_or(99) << " " << c.asker.value_or(99);
  }
}

}  // namespace
}  // namespace lumenpoll
