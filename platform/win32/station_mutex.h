#pragma once

#include <string>

#include "base/station_lock.h"
#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// The station's lock on Windows: a named mutex in the global namespace, so that a program
// started in another logon session (fast user switching, remote desktop) finds it too. The
// system drops it with the process however that ends. The holder is brought forward by its
// main window, found by window class and caption.
class StationMutex : public StationLock {
 public:
  StationMutex(std::string window_class, std::string caption)
      : window_class_(std::move(window_class)), caption_(std::move(caption)) {}

  bool acquire() override;
  void bring_holder_forward() override;

 private:
  std::string window_class_;
  std::string caption_;
  UniqueHandle mutex_;
};

}  // namespace lumenpoll
