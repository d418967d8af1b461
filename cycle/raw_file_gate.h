#pragma once

#include <map>
#include <set>
#include <string>

#include "base/folder_lister.h"
#include "cycle/raw_file_notices.h"

namespace lumenpoll {

// Decides which raw files of a scan may start an image. A raw file is passed over while
// its name is one the scripts cannot take, while it cannot be read (both are reported once
// per name; so is one the listing shows but that is not found by its path at two scans in a
// row), while the delete of an image of that name is still working, and while it is still
// being written (a writer holds it, or its size or write time changed since the previous
// scan, or it was not seen then).
class RawFileGate {
 public:
  RawFileGate(FolderLister& lister, RawFileNotices& notices) : lister_(lister), notices_(notices) {}

  void BeginScan();
  // The raw file at this station path may start an image now.
  bool Admits(const std::string& path);
  // Closes a complete scan (one that ended early, could not read the folder, or got only
  // part of the listing is not closed): deletes whose raw file it no longer saw are forgotten.
  void EndScan();

  // The delete script was asked to remove this image (whether or not it started).
  void DeleteRequested(const std::string& image);

 private:
  bool still_deleting(const std::string& base);
  bool unchanged_since_last_scan(const std::string& path, const std::string& name);
  void report_unreadable(const std::string& name, const std::string& message);

  FolderLister& lister_;
  RawFileNotices& notices_;
  std::map<std::string, FileStamp> previous_;  // by path, from the last complete scan
  std::map<std::string, FileStamp> current_;
  std::set<std::string> not_found_before_;  // listed but not found, at the last complete scan
  std::set<std::string> not_found_now_;
  std::set<std::string> deleting_;       // upper-cased base names
  std::set<std::string> deleting_seen_;  // ... of them, seen by the current scan
};

}  // namespace lumenpoll
