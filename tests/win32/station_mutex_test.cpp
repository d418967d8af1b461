#include "platform/win32/station_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace lumenpoll {
namespace {

// asker.holder() on a thread of its own while the holder answers from this one, as its
// message loop's timer would.
std::optional<StationHolder> ask(StationMutex& asker, StationMutex& holder) {
  std::optional<StationHolder> answer;
  std::atomic<bool> done = false;
  std::thread thread([&] {
    answer = asker.holder();
    done = true;
  });
  while (!done) {
    holder.answer_askers();
    ::Sleep(10);
  }
  thread.join();
  return answer;
}

TEST(StationMutex, TheHolderSaysWhoItIsToEveryLaterStart) {
  StationMutex holder("TForm1", "test window");
  ASSERT_TRUE(holder.acquire());
  StationMutex later("TForm1", "test window");
  ASSERT_FALSE(later.acquire());
  // The pipe is taken again once a start has gone with its answer.
  for (int start = 0; start < 2; ++start) EXPECT_EQ(ask(later, holder), holder.self());
}

// The account GetUserName gives; the session the process is in, as ProcessIdToSessionId
// gives it, and the desktop of the thread.
TEST(StationMutex, ItsOwnAccountAndSession) {
  const StationHolder self = StationMutex("TForm1", "test window").self();
  char user[257] = {};
  DWORD size = sizeof user;
  ASSERT_TRUE(::GetUserNameA(user, &size));
  EXPECT_EQ(self.user, user);
  DWORD session = 0;
  ASSERT_TRUE(::ProcessIdToSessionId(::GetCurrentProcessId(), &session));
  EXPECT_EQ(self.session.substr(0, self.session.find('\\')), std::to_string(session));
  EXPECT_NE(self.session.find('\\'), std::string::npos);
}

TEST(StationMutex, NobodyToAskWhenNoProgramHoldsTheStation) {
  StationMutex later("TForm1", "test window");
  EXPECT_EQ(later.holder(), std::nullopt);
}

}  // namespace
}  // namespace lumenpoll
