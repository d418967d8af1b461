#pragma once

#include "base/console_sessions.h"

namespace lumenpoll {

// The sessions as Windows numbers them: the one attached to the physical console
// (WTSGetActiveConsoleSessionId), and this process's (ProcessIdToSessionId).
class Win32ConsoleSessions : public ConsoleSessions {
 public:
  std::optional<SessionId> console() const override;
  std::optional<SessionId> own() const override;
};

}  // namespace lumenpoll
