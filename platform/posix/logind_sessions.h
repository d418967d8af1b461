#pragma once

#include <optional>
#include <string_view>

#include "base/console_sessions.h"
#include "platform/posix/peer_sessions.h"

namespace lumenpoll {

// A logind session id as the number the station's rule compares: "2" is 2. An id that is not
// a number ("c1": logind names so a session the kernel gave no audit number, such as a login
// screen's) is none, as Windows's console between two sessions: such a session is never the
// one at the console, and a copy in it keeps the box.
std::optional<SessionId> session_number(std::string_view logind_id);

// The sessions as systemd-logind keeps them: the one active on the station's own screen and
// keyboard (seat0), this process's, and that of the process at the other end of a local
// socket (as the kernel noted it at connect). None where logind does not answer: no logind,
// a container, a process outside any session.
class LogindSessions : public ConsoleSessions, public PeerSessions {
 public:
  std::optional<SessionId> console() const override;
  std::optional<SessionId> own() const override;
  std::optional<SessionId> of_peer(int fd) const override;
};

}  // namespace lumenpoll
