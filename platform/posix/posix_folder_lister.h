#pragma once

#include <string>

#include "cycle/folder_lister.h"
#include "platform/posix/drive_path.h"

namespace lumenpoll {

// Lists a folder by station path. Names beginning with "." count as hidden, and so do names
// the station's file system cannot hold; entries come in the station's listing order (ASCII
// letters without regard to case).
class PosixFolderLister : public FolderLister {
 public:
  explicit PosixFolderLister(DrivePath drive) : drive_(std::move(drive)) {}

  FolderListing list(const std::string& folder) override;
  std::optional<FileStamp> stamp(const std::string& path) override;

 private:
  DrivePath drive_;
  std::size_t expected_entries_ = 0;  // the last listing's size, to read the next in one go
};

}  // namespace lumenpoll
