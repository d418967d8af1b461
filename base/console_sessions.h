#pragma once

#include <cstdint>
#include <optional>

namespace lumenpoll {

// A logon session of the machine, as the system numbers them.
using SessionId = std::uint32_t;

// Where the operator sits: the session attached to the station's own screen and keyboard,
// and the session this program runs in.
class ConsoleSessions {
 public:
  virtual ~ConsoleSessions() = default;
  // None while the console is being switched between sessions, or where the system cannot
  // tell.
  virtual std::optional<SessionId> console() const = 0;
  virtual std::optional<SessionId> own() const = 0;
};

}  // namespace lumenpoll
