#pragma once

#include <cstdint>
#include <string>

namespace lumenpoll {

// What a start came to: started, or refused for the reason its Windows error code names.
struct ShellStart {
  unsigned error = 0;  // 0 once started; else 2 file missing, 1155 no association, ...
  bool started() const { return error == 0; }
};

// Starting a file by verb, as the Windows shell does.
class Shell {
 public:
  virtual ~Shell() = default;
  // Starts file and returns once it has started or been refused, never waiting for what it
  // started to end.
  virtual ShellStart Execute(std::uintptr_t owner_window, const std::string& verb,
                             const std::string& file, const std::string& parameters,
                             const std::string& directory, int show_cmd) = 0;
  // The system's message text for a Windows error code; empty when there is none.
  virtual std::string SystemMessage(unsigned code) = 0;
};

}  // namespace lumenpoll
