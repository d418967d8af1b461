#pragma once

#include <string>
#include <vector>

namespace lumenpoll {

// One immediate child of a listed folder, by its stored name.
struct FolderEntry {
  std::string name;
  bool is_file_system = true;
  bool is_folder = false;
  bool is_hidden = false;
};

enum class FolderStatus {
  Listed,      // entries hold the children in the platform's listing order
  Missing,     // the root does not exist
  NotAFolder,  // the root exists but is a file
  Unreadable,  // the root exists but the listing was refused
};

struct FolderListing {
  FolderStatus status = FolderStatus::Listed;
  std::vector<FolderEntry> entries;
};

// The platform's folder listing, by station (Windows) path.
class FolderLister {
 public:
  virtual ~FolderLister() = default;
  virtual FolderListing list(const std::string& folder) = 0;
};

}  // namespace lumenpoll
