#pragma once

#include <string>

#include "base/script_probe.h"

namespace lumenpoll {

// Asks of a station script what ShellExecuteA finds out first when it starts one: whether
// the file is there to be opened. A folder in its place would open in the Explorer instead
// of running, so it counts as access denied.
class Win32ScriptProbe : public ScriptProbe {
 public:
  ScriptState probe(const std::string& script_path) override;
};

}  // namespace lumenpoll
