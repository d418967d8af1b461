#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/edition.h"
#include "base/file_system.h"
#include "base/folder_lister.h"
#include "base/script_probe.h"
#include "check/check_options.h"

namespace lumenpoll {

// The services through which the checker looks at a station; it changes nothing.
struct StationAccess {
  FileSystem& files;
  FolderLister& folders;
  ScriptProbe& scripts;
  // Waits the second between two looks at the raw files; nothing to wait for in the tests.
  std::function<void()> wait_a_second;
};

struct StationReport {
  std::vector<std::string> lines;  // the report as printed, single-byte texts
  int findings = 0;                // what needs attention

  CheckStatus status() const {
    return findings == 0 ? CheckStatus::Ready : CheckStatus::NeedsAttention;
  }
};

// Reads the station as the program of the edition reads it at start: the macro list, the
// saved selection, the import folder with what the program would do with each raw file in
// it, and the four scripts.
StationReport check_station(const StationAccess& station, Edition edition);

}  // namespace lumenpoll
