#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/station_lock.h"
#include "platform/win32/holder_pipe.h"
#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The station's lock on Windows: a named mutex in the global namespace, so that a program
// started in another logon session (fast user switching, remote desktop) finds it too. The
// system drops it with the process however that ends. The holder says who it is on a named
// pipe, which every session reaches; it is brought forward by its main window, found by
// window class and caption on this desktop.
class StationMutex : public StationLock {
 public:
  StationMutex(std::string window_class, std::string caption);

  bool acquire() override;
  std::optional<StationHolder> holder() override;
  StationHolder self() const override { return self_; }
  void bring_holder_forward() override;

  // Answers a later start that has asked; the holder calls this every kAnswerIntervalMs
  // from its message loop.
  void answer_askers();
  static constexpr unsigned kAnswerIntervalMs = 200;
  // How long a later start waits for the answer.
  static constexpr DWORD kAnswerWaitMs = 2000;

 private:
  std::string window_class_;
  std::string caption_;
  StationHolder self_;
  UniqueHandle mutex_;
  std::unique_ptr<HolderPipe> pipe_;
};

}  // namespace lumenpoll
