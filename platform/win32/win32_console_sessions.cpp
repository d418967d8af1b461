#include "platform/win32/win32_console_sessions.h"

#include <windows.h>

namespace lumenpoll {
namespace {

// What the system says while a session is being attached to the console or detached.
constexpr DWORD kNoConsoleSession = 0xFFFFFFFF;

}  // namespace

std::optional<SessionId> Win32ConsoleSessions::console() const {
  const DWORD session = ::WTSGetActiveConsoleSessionId();
  if (session == kNoConsoleSession) return std::nullopt;
  return session;
}

std::optional<SessionId> Win32ConsoleSessions::own() const {
  DWORD session = 0;
  if (!::ProcessIdToSessionId(::GetCurrentProcessId(), &session)) return std::nullopt;
  return session;
}

}  // namespace lumenpoll
