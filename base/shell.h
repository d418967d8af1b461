#pragma once

#include <cstdint>
#include <string>

namespace lumenpoll {

// Starting a file by verb, as the Windows shell does.
class Shell {
 public:
  virtual ~Shell() = default;
  // Starts file asynchronously and returns at once: above 32 on success, otherwise a
  // Windows error code (2 file missing, 3 folder missing, 5 access denied, ...).
  virtual std::uintptr_t Execute(std::uintptr_t owner_window, const std::string& verb,
                                 const std::string& file, const std::string& parameters,
                                 const std::string& directory, int show_cmd) = 0;
  // The system's message text for a Windows error code; empty when there is none.
  virtual std::string SystemMessage(unsigned code) = 0;
};

}  // namespace lumenpoll
