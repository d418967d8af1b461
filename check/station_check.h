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

// Where Windows keeps an account's copies of the files that a program without a manifest
// level (as the window programs are) wrote under Program Files while the account could not:
// once a copy is there, that account's window reads it instead of the real file.
struct VirtualStoreSight {
  // This account's VirtualStore folder as a station path; empty for a copy of a station.
  std::string own;
  // The checker's own reads under Program Files see this account's copies, as its window's do.
  bool checker_redirected = false;
};

// The services through which the checker looks at a station; it changes nothing.
struct StationAccess {
  FileSystem& files;  // as the window of this account reads them
  FolderLister& folders;
  ScriptProbe& scripts;
  FileSystem& real_files;  // the files themselves, never an account's VirtualStore copy
  // Waits the second between two looks at the raw files; nothing to wait for in the tests.
  std::function<void()> wait_a_second;
  VirtualStoreSight virtual_store;
};

struct StationReport {
  std::vector<std::string> lines;  // the report as printed, single-byte texts
  int findings = 0;                // what needs attention

  CheckStatus status() const {
    return findings == 0 ? CheckStatus::Ready : CheckStatus::NeedsAttention;
  }
};

// Reads the station as the program of the edition reads it at start: the macro list, the
// saved selection and any VirtualStore copies of them, the import folder with what the
// program would do with each raw file in it, and the four scripts.
StationReport check_station(const StationAccess& station, Edition edition);

}  // namespace lumenpoll
