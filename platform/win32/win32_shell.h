#pragma once

#include <cstdint>
#include <string>

#include "base/script_probe.h"
#include "base/shell.h"

namespace lumenpoll {

// Starts files with ShellExecuteA and gives the system's texts with FormatMessageA, as the
// station's shell does. Needs COM on the calling thread (ComApartment). As a probe it says
// what ShellExecuteA finds out first: whether the file is there to be opened (a folder in
// its place would open in the Explorer instead of running, so it counts as access denied).
class Win32Shell : public Shell, public ScriptProbe {
 public:
  std::uintptr_t Execute(std::uintptr_t owner_window, const std::string& verb,
                         const std::string& file, const std::string& parameters,
                         const std::string& directory, int show_cmd) override;
  // At most 255 characters, as the system writes them (line end included).
  std::string SystemMessage(unsigned code) override;
  ScriptState probe(const std::string& script_path) override;
};

}  // namespace lumenpoll
