#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The holder's side of a named pipe, which every session of the machine reaches: it writes
// its one line to each start that connects, one at a time, then waits for that start to
// close (or for a time-out) before it takes the next. Driven by poll(), which never blocks,
// from a timer, so that it answers while an error box is open too.
class HolderPipe {
 public:
  // Nothing when the pipe cannot be made (another program has a pipe of that name).
  static std::unique_ptr<HolderPipe> open(const char* name, std::string line);
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

  HolderPipe(UniqueHandle pipe, std::string line);
  void listen();
  void answer();
  void hang_up();

  UniqueHandle pipe_;
  std::string line_;
  Operation connect_;
  Operation write_;
  Operation read_;
  char byte_ = 0;
  bool answering_ = false;
  bool broken_ = false;  // the pipe failed: nobody is answered any more
  std::uint64_t deadline_ = 0;
};

}  // namespace lumenpoll
