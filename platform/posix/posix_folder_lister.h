#pragma once

#include <dirent.h>

#include <string>

#include "base/listing_sorter.h"
#include "cycle/folder_lister.h"
#include "platform/posix/drive_path.h"

namespace lumenpoll {

// Lists a folder by station path. Names beginning with "." count as hidden, and so do names
// the station's file system cannot hold; entries come in the station's listing order (ASCII
// letters without regard to case).
class PosixFolderLister : public FolderLister {
 public:
  explicit PosixFolderLister(DrivePath drive) : drive_(std::move(drive)) {}

  const FolderListing& list(const std::string& folder) override;
  std::optional<FileStamp> stamp(const std::string& path) override;

 private:
  void read_entries(DIR* dir);

  DrivePath drive_;
  FolderListing listing_;
  ListingSorter sorter_;
};

}  // namespace lumenpoll
