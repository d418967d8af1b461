#pragma once

#include <string>

namespace lumenpoll {

// Whether a station script could be started now, found out without starting it.
struct ScriptState {
  unsigned error = 0;   // 0 when it can be started, else the shell's error code
  std::string message;  // the system's message for the error, as the error box shows it
};

// Looks at a script by its station (Windows) path, as the shell would before starting it.
class ScriptProbe {
 public:
  virtual ~ScriptProbe() = default;
  virtual ScriptState probe(const std::string& script_path) = 0;
};

}  // namespace lumenpoll
