#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cycle/folder_lister.h"

namespace lumenpoll {

// One listed entry; owned by its scanner until the next scan begins.
class TStShellItem {
 public:
  TStShellItem(std::string path, bool is_file_system, bool is_folder)
      : path_(std::move(path)), is_file_system_(is_file_system), is_folder_(is_folder) {}
  const std::string& Path() const { return path_; }
  bool IsFileSystem() const { return is_file_system_; }
  bool IsFolder() const { return is_file_system_ && is_folder_; }

 private:
  std::string path_;
  bool is_file_system_;
  bool is_folder_;
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

  const std::vector<std::unique_ptr<TStShellItem>>& Items() const { return items_; }

 private:
  bool wanted(const FolderEntry& entry) const;
  std::string child_path(const std::string& name) const;
  void sort_items();

  FolderLister& lister_;
  std::vector<std::unique_ptr<TStShellItem>> items_;
};

}  // namespace lumenpoll
