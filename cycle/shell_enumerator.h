#pragma once

#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/folder_lister.h"

namespace lumenpoll {

// One listed entry; owned by its scanner until the next scan begins.
class TStShellItem {
 public:
  const std::string& Path() const { return path_; }
  bool IsFileSystem() const { return is_file_system_; }
  bool IsFolder() const { return is_file_system_ && is_folder_; }

 private:
  friend class TStShellEnumerator;
  // Made anew for each listed entry; the scanner reuses the storage of earlier scans' items
  // so that a scan of a crowded folder does not allocate a path for every entry.
  void Assign(const std::string& folder, const FolderEntry& entry);
  std::string_view Name() const { return std::string_view(path_).substr(name_start_); }

  std::string path_;
  std::size_t name_start_ = 0;
  bool is_file_system_ = false;
  bool is_folder_ = false;
};

enum class TStEnumOption { eoIncludeFolders, eoIncludeHidden, eoIncludeNonFolders };
enum class TStSortDirection { sdAscending, sdDescending };
enum class TStSpecialRootFolder { sfNone };

class TStShellEnumerator;
using TStEnumItemEvent =
    std::function<void(TStShellEnumerator& Sender, const TStShellItem& ShellItem, bool& Accept)>;

// Lists the immediate children of one folder, reporting each to OnEnumItem in the
// platform's listing order, and keeps the accepted items sorted by name.
class TStShellEnumerator {
 public:
  explicit TStShellEnumerator(FolderLister& lister) : lister_(lister) {}

  std::set<TStEnumOption> Options{TStEnumOption::eoIncludeFolders,
                                  TStEnumOption::eoIncludeNonFolders};
  std::string RootFolder;
  bool Sorted = false;
  TStSortDirection SortDirection = TStSortDirection::sdAscending;
  TStSpecialRootFolder SpecialRootFolder = TStSpecialRootFolder::sfNone;
  TStEnumItemEvent OnEnumItem;

  // One fresh scan. Throws ESsInvalidFolder when the root is missing or not a folder;
  // an error raised by OnEnumItem leaves at once.
  void Enumerate();

  // The items kept by the last scan.
  std::span<const TStShellItem> Items() const { return {items_.data(), kept_}; }
  // Whether the last scan listed the whole folder: not when the folder could not be read
  // (an empty scan without an error), when the listing stopped part-way, nor when a
  // handler's error ended it.
  bool LastScanComplete() const { return complete_; }

 private:
  void sort_items();

  FolderLister& lister_;
  std::vector<TStShellItem> items_;  // the first kept_ are the last scan's
  std::size_t kept_ = 0;
  bool complete_ = false;
};

}  // namespace lumenpoll
