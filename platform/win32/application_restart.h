#pragma once

#include <windows.h>

namespace lumenpoll {

// Restart Manager may start the program again, in the same session, once an installer that
// closed it to replace its files is done (a removal leaves no program at that path to
// start), and after the restart such an update needed; not after a crash or a hang, which
// want the operator's eyes first.
inline constexpr DWORD kRestartFlags = RESTART_NO_CRASH | RESTART_NO_HANG;

using RegisterRestart = HRESULT(WINAPI*)(PCWSTR command_line, DWORD flags);

// Registers with no command line (the program takes none) through register_restart, the
// system's RegisterApplicationRestart unless a test gives its own.
HRESULT register_for_restart(RegisterRestart register_restart = ::RegisterApplicationRestart);

}  // namespace lumenpoll
