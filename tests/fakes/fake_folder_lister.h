#pragma once

#include <map>
#include <string>

#include "base/folder_lister.h"

namespace lumenpoll::fakes {

// Folders in memory by station path; a path without an entry is missing.
class FakeFolderLister : public FolderLister {
 public:
  std::map<std::string, FolderListing> folders;
  std::map<std::string, FileStamp> stamps;   // by path; a listed file without one never changes
  std::map<std::string, StampResult> looks;  // by path: what stamp() finds instead
  int stamp_calls = 0;

  StampResult stamp(const std::string& path) override {
    ++stamp_calls;
    if (auto l = looks.find(path); l != looks.end()) return l->second;
    if (auto s = stamps.find(path); s != stamps.end()) return StampResult::stamped(s->second);
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return StampResult::gone();
    auto f = folders.find(path.substr(0, slash));
    if (f == folders.end()) return StampResult::gone();
    for (const FolderEntry& e : f->second.entries)
      if (e.name == path.substr(slash + 1)) return StampResult::stamped(FileStamp{});
    return StampResult::gone();
  }

  const FolderListing& list(const std::string& folder) override {
    auto f = folders.find(folder);
    last_ = f == folders.end() ? FolderListing{FolderStatus::Missing, {}} : f->second;
    return last_;
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

 private:
  FolderListing last_;  // a copy: the tests change the folders while a scan runs
};

}  // namespace lumenpoll::fakes
