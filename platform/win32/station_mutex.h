#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/station_lock.h"
#include "platform/win32/holder_pipe.h"
#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The station's lock on Windows: ownership of a named mutex in the global namespace, so that
// a program started in another logon session (fast user switching, remote desktop) finds it
// too; the system gives it up with the process however that ends (a mutex left so counts as
// free). Only the holder keeps a handle to it. The holder answers each later start on a
// named pipe, which every session reaches and which only the holder's account may write: it
// learns the start's session from the system, decides, and says who it is, and whether it
// hands the station over. A copy of the program claims its session by a mutex in the
// session's own namespace. Windows are found by window class and caption on this desktop.
class StationMutex : public StationLock {
 public:
  StationMutex(std::string window_class, std::string caption);
  ~StationMutex() override;

  bool claim_session() override;
  void drop_session() override { session_.reset(); }
  bool acquire() override;
  void release() override;
  std::optional<HolderAnswer> ask() override;
  void ask_to_hand_over() override;
  void answer_with(Decide decide) override { decide_ = std::move(decide); }
  StationHolder self() const override { return self_; }
  void bring_holder_forward() override { raise_window(); }
  bool raise_window() override;

  // Answers a later start that has asked; the holder calls this every kAnswerIntervalMs
  // from its message loop.
  void answer_askers();
  static constexpr unsigned kAnswerIntervalMs = 200;
  // How long a later start waits for the answer.
  static constexpr DWORD kAnswerWaitMs = 2000;

 private:
  std::string answer_for(std::optional<ULONG> asker_session) const;

  std::string window_class_;
  std::string caption_;
  StationHolder self_;
  Decide decide_;
  UniqueHandle session_;
  UniqueHandle mutex_;  // owned while held
  std::unique_ptr<HolderPipe> pipe_;
  UniqueHandle request_;  // a request to hand over, open until the next look
};

}  // namespace lumenpoll
