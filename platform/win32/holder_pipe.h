#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The holder's side of a named pipe, which every session of the machine reaches: it writes
// its one-line answer to each start that connects, one at a time, then waits for that start
// to close (or for a time-out) before it takes the next. Driven by poll(), which never
// blocks, from a timer, so that it answers while an error box is open too.
class HolderPipe {
 public:
  // The line for a start that has connected, given that start's session as the system
  // tells it (none when it cannot).
  using Answer = std::function<std::string(std::optional<ULONG> asker_session)>;

  // Nothing when the pipe cannot be made (another program has a pipe of that name).
  static std::unique_ptr<HolderPipe> open(const char* name, Answer answer);
  HolderPipe(const HolderPipe&) = delete;
  HolderPipe& operator=(const HolderPipe&) = delete;
  ~HolderPipe();

  void poll();

  // How long a start that has connected may keep the pipe before the next one gets it.
  static constexpr std::uint64_t kHoldMs = 2000;

 private:
  // One overlapped operation on the pipe, and whether it is still under way.
  struct Operation {
    OVERLAPPED overlapped{};
    UniqueHandle event;
    bool queued = false;

    void begin();
    void issued(BOOL started);
    bool done() const;
    void collect(HANDLE pipe);
  };

  HolderPipe(UniqueHandle pipe, Answer answer);
  void listen();
  void answer();
  void hang_up();

  UniqueHandle pipe_;
  Answer answer_;
  std::string line_;  // being written
  Operation connect_;
  Operation write_;
  Operation read_;
  char byte_ = 0;
  bool answering_ = false;
  bool broken_ = false;  // the pipe failed: nobody is answered any more
  std::uint64_t deadline_ = 0;
};

}  // namespace lumenpoll
