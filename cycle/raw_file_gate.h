#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cycle/folder_lister.h"

namespace lumenpoll {

// Decides which raw files of a scan may start an image. A raw file is passed over while
// its name is one the scripts cannot take (each such name is reported once), while the
// delete of an image of that name is still working, and while it is still being written
// (its size or write time changed since the previous scan, or it was not seen then).
class RawFileGate {
 public:
  explicit RawFileGate(FolderLister& lister) : lister_(lister) {}

  void BeginScan();
  // The raw file at this station path may start an image now.
  bool Admits(const std::string& path);
  // Closes a complete scan (one that ended early or could not read the folder is not
  // closed): deletes whose raw file it no longer saw are forgotten. Gives the file names
  // refused for the first time, to be reported.
  std::vector<std::string> EndScan();

  // The delete script was asked to remove this image (whether or not it started).
  void DeleteRequested(const std::string& image);

 private:
  FolderLister& lister_;
  std::map<std::string, FileStamp> previous_;  // by path, from the last complete scan
  std::map<std::string, FileStamp> current_;
  std::set<std::string> deleting_;       // upper-cased base names
  std::set<std::string> deleting_seen_;  // ... of them, seen by the current scan
  std::set<std::string> refused_;        // file names reported while the program runs
  std::vector<std::string> newly_refused_;
};

}  // namespace lumenpoll
