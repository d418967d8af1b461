#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/edition.h"

namespace lumenpoll {

// The exit status of the checker.
enum class CheckStatus { Ready = 0, NeedsAttention = 1, NotChecked = 2 };

// The checker's command line: [--lite] [--drive DIR] | --help | --version.
struct CheckOptions {
  bool help = false;
  bool version = false;
  Edition edition = Edition::Full;
  std::optional<std::string> drive;  // the folder that stands for drive C:
  std::string error;                 // why the command line was refused; empty when it was not
};

CheckOptions parse_check_options(const std::vector<std::string>& args);

// The --help text; default_drive is what C: is without --drive.
std::string check_usage(const std::string& default_drive);

}  // namespace lumenpoll
