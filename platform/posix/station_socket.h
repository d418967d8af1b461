#pragma once

#include <optional>
#include <string>

#include "base/station_lock.h"
#include "platform/posix/unique_fd.h"

namespace lumenpoll {

// The station's lock on Linux: a listening socket in the abstract namespace, named after the
// folder that stands for drive C:. It needs no file, and the system drops it with the
// process however that ends. Any account's later start connects to it: the holder says who
// it is at once, and brings its window forward when the one that asked then says "raise".
// The holder watches fd() and calls take_requests(). Which session is at the seat's console
// is not asked here: the holder keeps the station, and a start in another session is told
// who holds it.
class StationSocket : public StationLock {
 public:
  // display: the X display this program shows its windows on.
  StationSocket(const std::string& drive_folder, const std::string& display);

  // Two starts on one display are told apart by the holder's answer.
  bool claim_session() override { return true; }
  void drop_session() override {}
  bool acquire() override;
  void release() override { listener_.reset(); }
  std::optional<HolderAnswer> ask() override;
  void ask_to_hand_over() override {}
  void answer_with(Decide) override {}
  StationHolder self() const override { return self_; }
  void bring_holder_forward() override;
  // The holder's window is raised by the holder alone.
  bool raise_window() override { return false; }

  // Readable when a later start has connected (only while held).
  int fd() const { return listener_.get(); }
  // Answers the waiting starts; true when one asked for the window.
  bool take_requests();

  // How long an asker waits for the holder's answer, and the holder for the asker's request.
  static constexpr int kAnswerMs = 2000;
  static constexpr int kRequestMs = 250;

 private:
  std::string name_;  // the socket's name, a NUL byte first
  StationHolder self_;
  UniqueFd listener_;
  UniqueFd asking_;  // the connection holder() asked on
};

}  // namespace lumenpoll
