#pragma once

#include <string>

#include "base/script_probe.h"
#include "platform/posix/drive_path.h"

namespace lumenpoll {

// Asks of a station script what PosixShell finds out when it starts one: whether the
// mapped file is there and readable, and whether the interpreter can be run.
class PosixScriptProbe : public ScriptProbe {
 public:
  explicit PosixScriptProbe(DrivePath drive, std::string interpreter = "/bin/sh")
      : drive_(std::move(drive)), interpreter_(std::move(interpreter)) {}

  ScriptState probe(const std::string& script_path) override;

 private:
  DrivePath drive_;
  std::string interpreter_;
};

}  // namespace lumenpoll
