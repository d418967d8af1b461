#include "platform/posix/station_socket.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

// The sessions as the system would tell them; none, as without logind, unless set.
struct Sessions : PeerSessions {
  std::optional<SessionId> own_session;
  std::optional<SessionId> peer_session;
  std::optional<SessionId> own() const override { return own_session; }
  std::optional<SessionId> of_peer(int) const override { return peer_session; }
};

const Sessions kNoLogind;

bool readable(int fd) {
  pollfd ready{fd, POLLIN, 0};
  return ::poll(&ready, 1, 0) == 1;
}

// Runs a later start's part on a thread of its own, while the copy already running answers
// from this one, as its loop's watch on fd() would; true when it was asked for its window.
bool while_answering(StationSocket& running, const std::function<void()>& start) {
  bool raised = false;
  std::atomic<bool> done = false;
  std::thread thread([&] {
    start();
    done = true;
  });
  while (!done) {
    raised = running.take_requests() || raised;
    ::usleep(5000);
  }
  thread.join();
  return running.take_requests() || raised;
}

struct Asked {
  std::optional<HolderAnswer> answer;
  bool raised = false;
};

// A later start asks on a thread of its own, and asks for the window when told to, while
// the holder answers from this one, as its loop's watch on fd() would.
Asked ask(StationSocket& holder, const std::string& drive, const std::string& display, bool raise) {
  Asked asked;
  asked.raised = while_answering(holder, [&] {
    StationSocket later(drive, display, kNoLogind);
    EXPECT_FALSE(later.acquire());
    asked.answer = later.ask();
    if (raise) later.bring_holder_forward();
  });
  return asked;
}

TEST(StationSocket, TheHolderSaysWhoItIsAndComesForwardOnlyWhenAsked) {
  const test::TempFolder drive;
  StationSocket holder(drive.path(), ":7.0", kNoLogind);
  ASSERT_TRUE(holder.acquire());
  EXPECT_EQ(holder.self().session, ":7");
  EXPECT_FALSE(holder.self().user.empty());

  // Here the holder keeps the station, whichever session asks.
  const Asked same = ask(holder, drive.path(), ":7", true);
  EXPECT_EQ(same.answer, HolderAnswer{holder.self()});
  EXPECT_TRUE(same.raised);
  const Asked other = ask(holder, drive.path(), ":8", false);
  EXPECT_EQ(other.answer, HolderAnswer{holder.self()});
  EXPECT_FALSE(other.raised);
}

TEST(StationSocket, NobodyToAskWhenNoProgramHoldsTheStation) {
  const test::TempFolder drive;
  StationSocket later(drive.path(), ":7", kNoLogind);
  EXPECT_EQ(later.ask(), std::nullopt);
}

TEST(StationSocket, TheHolderDecidesOnTheSessionTheConnectionComesFrom) {
  const test::TempFolder drive;
  Sessions holder_sessions;
  holder_sessions.own_session = 2;
  holder_sessions.peer_session = 3;
  StationSocket holder(drive.path(), ":0", holder_sessions);
  ASSERT_TRUE(holder.acquire());
  std::vector<std::optional<SessionId>> askers;
  holder.answer_with([&](std::optional<SessionId> asker) {
    askers.push_back(asker);
    return HolderVerdict::HandingOver;
  });

  // A start is told at once, and asks for nothing more; a dormant copy's request is the
  // connection alone, and the loop's watch says so.
  const Asked started = ask(holder, drive.path(), ":1", false);
  EXPECT_EQ(started.answer, (HolderAnswer{holder.self(), HolderVerdict::HandingOver}));
  StationSocket dormant(drive.path(), ":1", kNoLogind);
  dormant.ask_to_hand_over();
  EXPECT_TRUE(readable(holder.fd()));
  EXPECT_FALSE(holder.take_requests());
  EXPECT_FALSE(readable(holder.fd()));
  EXPECT_EQ(askers, (std::vector<std::optional<SessionId>>{3, 3}));

  // Given up, the holder answers nobody; the dormant copy takes the station.
  holder.release();
  EXPECT_TRUE(dormant.acquire());
  EXPECT_FALSE(holder.acquire());
}

TEST(StationSocket, OneCopyASessionWhereTheSessionsAreNumbered) {
  const test::TempFolder drive;
  Sessions session5;
  session5.own_session = 5;
  StationSocket first(drive.path(), ":0", session5);
  ASSERT_TRUE(first.claim_session());

  // A second start here finds the first, which comes forward when asked, holding the station
  // or not; one in another session claims its own.
  StationSocket second(drive.path(), ":0", session5);
  bool claimed = true;
  EXPECT_FALSE(while_answering(first, [&] { claimed = second.claim_session(); }));
  EXPECT_FALSE(claimed);
  EXPECT_TRUE(while_answering(first, [&] { second.raise_window(); }));
  Sessions session6;
  session6.own_session = 6;
  StationSocket other(drive.path(), ":1", session6);
  EXPECT_TRUE(other.claim_session());

  // A copy that hangs claims nothing: the start goes on to find the holder, and cannot raise
  // its window.
  EXPECT_TRUE(second.claim_session());
  EXPECT_FALSE(second.raise_window());

  first.drop_session();
  EXPECT_TRUE(second.claim_session());

  // Without numbered sessions, every start goes on to ask the holder, as before.
  StationSocket unnumbered(drive.path(), ":0", kNoLogind);
  EXPECT_TRUE(unnumbered.claim_session());
  EXPECT_TRUE(unnumbered.claim_session());
  EXPECT_FALSE(unnumbered.raise_window());
}

}  // namespace
}  // namespace lumenpoll
