#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/shell.h"

namespace lumenpoll::fakes {

// Records every start; a file listed in failures is refused with its error code.
class FakeShell : public Shell {
 public:
  struct Call {
    std::int64_t at_ms;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int show_cmd;
    std::uintptr_t owner;
    bool started;
  };
  std::vector<Call> calls;
  std::map<std::string, unsigned> failures;  // file -> Windows error code of its refusal
  const std::int64_t* clock_ms = nullptr;    // stamps calls when set

  ShellStart Execute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int show_cmd) override {
    const auto f = failures.find(file);
    const ShellStart result = f == failures.end() ? ShellStart{} : ShellStart{f->second};
    calls.push_back({clock_ms ? *clock_ms : 0, verb, file, parameters, directory, show_cmd, owner,
                     result.started()});
    return result;
  }
  std::string SystemMessage(unsigned code) override {
    if (code == 2) return "The system cannot find the file specified.\r\n";
    if (code == 3) return "The system cannot find the path specified.\r\n";
    return "";
  }
};

}  // namespace lumenpoll::fakes
