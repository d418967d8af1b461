#pragma once

#include <dirent.h>

#include <string>

#include "base/folder_lister.h"
#include "base/listing_sorter.h"
#include "platform/posix/drive_path.h"

namespace lumenpoll {

// Lists a folder by station path. Names beginning with "." count as hidden; in a name the
// station's file system cannot hold, each character it cannot hold comes as "?", which the
// cycle refuses and reports. Entries come in the station's listing order (ASCII letters
// without regard to case). A raw file is stamped through a descriptor opened for reading,
// so a file this account cannot read says so.
class PosixFolderLister : public FolderLister {
 public:
  explicit PosixFolderLister(DrivePath drive) : drive_(std::move(drive)) {}

  const FolderListing& list(const std::string& folder) override;
  StampResult stamp(const std::string& path) override;

 private:
  void read_entries(DIR* dir);

  DrivePath drive_;
  FolderListing listing_;
  ListingSorter sorter_;
};

}  // namespace lumenpoll
