#pragma once

#include <string>

#include "base/station_lock.h"
#include "platform/posix/unique_fd.h"

namespace lumenpoll {

// The station's lock on Linux: a listening socket in the abstract namespace, named after the
// folder that stands for drive C:. It needs no file, and the system drops it with the
// process however that ends. A later start connects to it to ask for the window; the holder
// watches fd() and calls take_requests().
class StationSocket : public StationLock {
 public:
  explicit StationSocket(const std::string& drive_folder);

  bool acquire() override;
  void bring_holder_forward() override;

  // Readable when a later start has asked for the window (only while held).
  int fd() const { return listener_.get(); }
  // Answers the waiting requests; true when there was one.
  bool take_requests();

 private:
  std::string name_;  // the socket's name, a NUL byte first
  UniqueFd listener_;
};

}  // namespace lumenpoll
