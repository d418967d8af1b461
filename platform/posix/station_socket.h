#pragma once

#include <optional>
#include <string>

#include "base/station_lock.h"
#include "platform/posix/peer_sessions.h"
#include "platform/posix/unique_fd.h"

namespace lumenpoll {

// The station's lock on Linux: a listening socket in the abstract namespace, named after the
// folder that stands for drive C:. It needs no file, and the system drops it with the
// process however that ends. Any account's later start connects to it: the holder learns
// that start's session from the connection, decides, says who it is and whether it hands the
// station over, and brings its window forward when the one that asked then says "raise".
// Where the system numbers sessions (logind), a copy claims its session by a socket named
// after it, on which it answers and comes forward alike; elsewhere sessions are not told
// apart: the holder keeps the station, and a start in another session is told who holds it.
// The program watches fd() and calls take_requests().
class StationSocket : public StationLock {
 public:
  // display: the X display this program shows its windows on.
  StationSocket(const std::string& drive_folder, const std::string& display,
                const PeerSessions& sessions);

  // Without session numbers, two starts on one display are told apart by the holder's answer.
  bool claim_session() override;
  void drop_session() override { stop_listening(session_); }
  bool acquire() override;
  void release() override { stop_listening(listener_); }
  std::optional<HolderAnswer> ask() override;
  void ask_to_hand_over() override;
  void answer_with(Decide decide) override { decide_ = std::move(decide); }
  StationHolder self() const override { return self_; }
  void bring_holder_forward() override;
  // Asks this session's copy to come forward: a window is raised by its own program alone.
  bool raise_window() override;

  // Readable when a later start has connected, to the holder or to this session's copy; one
  // descriptor for the program's life, whether it holds the station or not.
  int fd() const { return ready_.get(); }
  // Answers the waiting starts; true when one asked for the window.
  bool take_requests();

  // How long an asker waits for the holder's answer, and the holder for the asker's request.
  static constexpr int kAnswerMs = 2000;
  static constexpr int kRequestMs = 250;

 private:
  void listen_on(UniqueFd& socket, UniqueFd fd);
  void stop_listening(UniqueFd& socket);
  bool answer_all(int listener, bool as_holder);

  std::string name_;          // the socket's name, a NUL byte first
  std::string session_name_;  // of this session's socket; empty where sessions are not told apart
  StationHolder self_;
  const PeerSessions& sessions_;
  Decide decide_;
  UniqueFd ready_;     // an epoll set of the two listening sockets
  UniqueFd listener_;  // while this program holds the station
  UniqueFd session_;   // while this program is its session's copy
  UniqueFd asking_;    // the connection ask() asked on
};

}  // namespace lumenpoll
