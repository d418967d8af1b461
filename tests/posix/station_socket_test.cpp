#include "platform/posix/station_socket.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

struct Asked {
  std::optional<HolderAnswer> answer;
  bool raised = false;
};

// A later start asks on a thread of its own, and asks for the window when told to, while
// the holder answers from this one, as its loop's watch on fd() would.
Asked ask(StationSocket& holder, const std::string& drive, const std::string& display, bool raise) {
  Asked asked;
  std::atomic<bool> done = false;
  std::thread thread([&] {
    StationSocket later(drive, display);
    EXPECT_FALSE(later.acquire());
    asked.answer = later.ask();
    if (raise) later.bring_holder_forward();
    done = true;
  });
  while (!done) {
    asked.raised = holder.take_requests() || asked.raised;
    ::usleep(5000);
  }
  thread.join();
  asked.raised = holder.take_requests() || asked.raised;
  return asked;
}

TEST(StationSocket, TheHolderSaysWhoItIsAndComesForwardOnlyWhenAsked) {
  const test::TempFolder drive;
  StationSocket holder(drive.path(), ":7.0");
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
  StationSocket later(drive.path(), ":7");
  EXPECT_EQ(later.ask(), std::nullopt);
}

}  // namespace
}  // namespace lumenpoll
