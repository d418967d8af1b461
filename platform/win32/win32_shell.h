#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "base/script_probe.h"
#include "base/shell.h"

namespace lumenpoll {

// Starts files with ShellExecuteExA and gives the system's texts with FormatMessageA, as the
// station's shell does. Needs COM on the calling thread (ComApartment). As a probe it says
// what the shell finds out first: whether the file is there to be opened (a folder in its
// place would open in the Explorer instead of running, so it counts as access denied).
class Win32Shell : public Shell, public ScriptProbe {
 public:
  ShellStart Execute(std::uintptr_t owner_window, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int show_cmd) override;
  // At most 255 characters, as the system writes them (line end included).
  std::string SystemMessage(unsigned code) override;
  ScriptState probe(const std::string& script_path) override;
};

// What ShellExecuteExA is given for one start; it points into the texts, which must outlive
// it. Nobody sees the station's scripts start: the shell shows no box of its own and asks
// nothing about a script copied from a download, whose start would wait for an answer.
SHELLEXECUTEINFOA shell_execute_request(HWND owner, const std::string& verb,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int show_cmd);

// Why ShellExecuteExA refused a start, as the Windows error code whose text says it, from
// the last error it set (0 when none) and its own code in hInstApp (2 file missing, 31 no
// association, ...).
DWORD shell_start_error(DWORD last_error, std::uintptr_t shell_code);

}  // namespace lumenpoll
