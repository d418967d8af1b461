#pragma once

#include <optional>

#include "base/console_sessions.h"

namespace lumenpoll {

// The logon sessions of this program and of the program at the other end of a local
// connection, as the system numbers them; none where it cannot tell.
class PeerSessions {
 public:
  virtual ~PeerSessions() = default;
  virtual std::optional<SessionId> own() const = 0;
  // fd: a connected local socket.
  virtual std::optional<SessionId> of_peer(int fd) const = 0;
};

}  // namespace lumenpoll
