#pragma once

#include <cstdint>
#include <string>

#include "base/shell.h"

namespace lumenpoll {

// Starts files with ShellExecuteA and gives the system's texts with FormatMessageA, as the
// station's shell does. Needs COM on the calling thread (ComApartment).
class Win32Shell : public Shell {
 public:
  std::uintptr_t Execute(std::uintptr_t owner_window, const std::string& verb,
                         const std::string& file, const std::string& parameters,
                         const std::string& directory, int show_cmd) override;
  // At most 255 characters, as the system writes them (line end included).
  std::string SystemMessage(unsigned code) override;
};

}  // namespace lumenpoll
