#pragma once

#include <map>
#include <string>

#include "base/script_probe.h"

namespace lumenpoll::fakes {

// Every script can be started unless a state is set for its path.
class FakeScriptProbe : public ScriptProbe {
 public:
  std::map<std::string, ScriptState> states;

  ScriptState probe(const std::string& script_path) override {
    const auto found = states.find(script_path);
    return found == states.end() ? ScriptState{} : found->second;
  }
};

}  // namespace lumenpoll::fakes
