#pragma once

#include <map>
#include <string>

#include "cycle/folder_lister.h"

namespace lumenpoll::fakes {

// Folders in memory by station path; a path without an entry is missing.
class FakeFolderLister : public FolderLister {
 public:
  std::map<std::string, FolderListing> folders;

  FolderListing list(const std::string& folder) override {
    auto f = folders.find(folder);
    if (f == folders.end()) return {FolderStatus::Missing, {}};
    return f->second;
  }

  void add_file(const std::string& folder, const std::string& name) {
    folders[folder].entries.push_back({name, true, false, false});
  }
  void add_folder(const std::string& folder, const std::string& name) {
    folders[folder].entries.push_back({name, true, true, false});
  }
  void remove(const std::string& folder, const std::string& name) {
    auto& e = folders[folder].entries;
    std::erase_if(e, [&](const FolderEntry& x) { return x.name == name; });
  }
};

}  // namespace lumenpoll::fakes
