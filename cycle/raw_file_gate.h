#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "base/application.h"
#include "base/folder_lister.h"
#include "base/timer.h"
#include "cycle/deleting_raw_files.h"
#include "cycle/raw_file.h"
#include "cycle/raw_file_notices.h"

namespace lumenpoll {

// Decides which raw files of a scan may start an image. A raw file is passed over while
// its name is one the scripts cannot take, while it cannot be read (both are reported once
// per name; so is one the listing shows but that is not found by its path at two scans in a
// row), while its delete is still working (see DeletingRawFiles), and while it is still
// being written (a writer holds it, or its size or write time changed since the previous
// scan, or it was not seen then).
class RawFileGate {
 public:
  RawFileGate(Application& app, FolderLister& lister, RawFileNotices& notices, TimerBackend& timers)
      : lister_(lister), notices_(notices), deleting_(app, lister, notices, timers) {}

  void BeginScan();
  // The raw file at this station path as it may start an image now; nothing while it may not.
  std::optional<RawFile> Admit(const std::string& path);
  // Closes a complete scan (one that ended early, could not read the folder, or got only
  // part of the listing is not closed): holds of deletes whose raw file it no longer saw end.
  void EndScan();

  // The delete script is being started for this raw file (whether or not it starts).
  void DeleteRequested(const RawFile& raw) { deleting_.Add(raw); }
  // Whether a raw file whose delete was asked for is still there as it was.
  bool DeletesPending() const { return !deleting_.Empty(); }

  void Stop() { deleting_.Stop(); }

 private:
  bool written_and_readable(const std::string& path, const std::string& name,
                            const StampResult& look);
  void report_unreadable(const std::string& name, const std::string& message);

  FolderLister& lister_;
  RawFileNotices& notices_;
  DeletingRawFiles deleting_;
  std::map<std::string, FileStamp> previous_;  // by path, from the last complete scan
  std::map<std::string, FileStamp> current_;
  std::set<std::string> not_found_before_;  // listed but not found, at the last complete scan
  std::set<std::string> not_found_now_;
};

}  // namespace lumenpoll
