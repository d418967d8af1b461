#include "platform/win32/station_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace lumenpoll {
namespace {

constexpr const char* kMutexName = "Global\\lumenpoll station";

// asker.ask() on a thread of its own while the holder answers from this one, as its message
// loop's timer would.
std::optional<HolderAnswer> ask(StationMutex& asker, StationMutex& holder) {
  std::optional<HolderAnswer> answer;
  std::atomic<bool> done = false;
  std::thread thread([&] {
    answer = asker.ask();
    done = true;
  });
  while (!done) {
    holder.answer_askers();
    ::Sleep(10);
  }
  thread.join();
  return answer;
}

// Whether the station's mutex is owned, as another thread finds it (this one may own it).
bool mutex_owned() {
  bool owned = false;
  std::thread([&] {
    const HANDLE mutex = ::OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kMutexName);
    if (mutex == nullptr) return;
    const DWORD waited = ::WaitForSingleObject(mutex, 0);
    owned = waited == WAIT_TIMEOUT;
    if (!owned) ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
  }).join();
  return owned;
}

TEST(StationMutex, TheHolderSaysWhoItIsToEveryLaterStartAndWhetherItHandsOver) {
  StationMutex holder("TForm1", "test window");
  ASSERT_TRUE(holder.acquire());
  StationMutex later("TForm1", "test window");
  ASSERT_FALSE(later.acquire());
  // The pipe is taken again once a start has gone with its answer.
  for (int start = 0; start < 2; ++start)
    EXPECT_EQ(ask(later, holder), HolderAnswer{holder.self()});

  std::vector<std::optional<SessionId>> asked;
  holder.answer_with([&](std::optional<SessionId> asker) {
    asked.push_back(asker);
    return HolderVerdict::HandingOver;
  });
  EXPECT_EQ(ask(later, holder), (HolderAnswer{holder.self(), HolderVerdict::HandingOver}));
  // The session is the system's word for the asker's process, this one; Wine may not say.
  ASSERT_EQ(asked.size(), 1u);
  DWORD session = 0;
  ASSERT_TRUE(::ProcessIdToSessionId(::GetCurrentProcessId(), &session));
  if (asked[0]) {
    EXPECT_EQ(*asked[0], session);
  }

  // A request to hand over does not wait for the holder, which hears it all the same, once
  // it has hung up on the last start.
  for (int poll = 0; poll < 10; ++poll) {
    holder.answer_askers();
    ::Sleep(10);
  }
  later.ask_to_hand_over();
  for (int poll = 0; poll < 100 && asked.size() < 2; ++poll) {
    holder.answer_askers();
    ::Sleep(10);
  }
  EXPECT_EQ(asked.size(), 2u);
}

// Held is owned: a handle kept by a start, or a mutex whose owner ended without giving it
// back, holds nothing; a refused start keeps no handle; an ended holder gives it back.
TEST(StationMutex, HeldIsOwnedAndGivenBack) {
  const HANDLE kept = ::CreateMutexA(nullptr, FALSE, kMutexName);
  ASSERT_NE(kept, nullptr);
  std::thread([] {
    const HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, kMutexName);
    ::WaitForSingleObject(mutex, 0);
    ::CloseHandle(mutex);  // the thread ends owning it
  }).join();
  StationMutex later("TForm1", "test window");
  {
    StationMutex holder("TForm1", "test window");
    EXPECT_TRUE(holder.acquire());
    EXPECT_TRUE(mutex_owned());
    EXPECT_FALSE(later.acquire());
  }
  ::CloseHandle(kept);
  EXPECT_EQ(::OpenMutexA(SYNCHRONIZE, FALSE, kMutexName), nullptr);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(later.acquire());
  later.release();
  EXPECT_FALSE(mutex_owned());
}

// An earlier version holds the station by making the mutex, and answers on the pipe: the
// pipe's owner holds the station, and the mutex is not kept from the next holder.
TEST(StationMutex, WhoeverServesThePipeHoldsTheStation) {
  const HANDLE made = ::CreateMutexA(nullptr, FALSE, kMutexName);
  ASSERT_NE(made, nullptr);
  const HANDLE pipe = ::CreateNamedPipeA("\\\\.\\pipe\\lumenpoll station", PIPE_ACCESS_DUPLEX,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 512, 16, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  StationMutex later("TForm1", "test window");
  EXPECT_FALSE(later.acquire());
  EXPECT_FALSE(mutex_owned());
  ::CloseHandle(pipe);
  EXPECT_TRUE(later.acquire());
  later.release();
  ::CloseHandle(made);
}

TEST(StationMutex, OneCopyASession) {
  StationMutex first("TForm1", "test window");
  StationMutex second("TForm1", "test window");
  EXPECT_TRUE(first.claim_session());
  EXPECT_FALSE(second.claim_session());
  first.drop_session();
  EXPECT_TRUE(second.claim_session());
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
  EXPECT_EQ(later.ask(), std::nullopt);
}

}  // namespace
}  // namespace lumenpoll
