#pragma once

#include <cstdint>
#include <string>

#include "base/script_probe.h"
#include "base/shell.h"
#include "platform/posix/drive_path.h"

namespace lumenpoll {

// Starts station scripts on POSIX: the verb "open" runs the mapped file with the
// interpreter (a POSIX shell), its parameter text split as a Windows program would split
// it, hidden (no terminal, output discarded) and detached. Failures come back as the
// Windows error codes of the same cause, whose texts SystemMessage gives. As a probe it says,
// without starting anything, what a start would meet: the mapped file and the interpreter.
class PosixShell : public Shell, public ScriptProbe {
 public:
  explicit PosixShell(DrivePath drive, std::string interpreter = "/bin/sh")
      : drive_(std::move(drive)), interpreter_(std::move(interpreter)) {}

  ShellStart Execute(std::uintptr_t owner_window, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int show_cmd) override;
  std::string SystemMessage(unsigned code) override;
  ScriptState probe(const std::string& script_path) override;

 private:
  DrivePath drive_;
  std::string interpreter_;
};

}  // namespace lumenpoll
