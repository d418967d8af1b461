#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/folder_lister.h"

namespace lumenpoll {

class TStShellEnumerator;

// One listed entry; owned by its scanner until the next scan begins.
class TStShellItem {
 public:
  // The root folder and the name: made when asked, as few items are asked for it.
  std::string Path() const;
  // The part of the path after its last backslash, as the item keeps it.
  std::string_view FileName() const;
  bool IsFileSystem() const { return is_file_system_; }
  bool IsFolder() const { return is_file_system_ && is_folder_; }

 private:
  friend class TStShellEnumerator;

  // The names of a scan's items lie one after the other in their scanner's text, which
  // takes a crowded folder's names in one block, kept from scan to scan; the root is the
  // scanner's. 16 bytes an item.
  const TStShellEnumerator* scanner_ = nullptr;
  std::uint32_t name_start_ = 0;
  std::uint16_t name_length_ = 0;
  bool is_file_system_ = false;
  bool is_folder_ = false;
};

enum class TStEnumOption { eoIncludeFolders, eoIncludeHidden, eoIncludeNonFolders };
enum class TStSortDirection { sdAscending, sdDescending };
enum class TStSpecialRootFolder { sfNone };

using TStEnumItemEvent =
    std::function<void(TStShellEnumerator& Sender, const TStShellItem& ShellItem, bool& Accept)>;

// Lists the immediate children of one folder, reporting each to OnEnumItem in the
// platform's listing order, and keeps the accepted items sorted by name.
class TStShellEnumerator {
 public:
  explicit TStShellEnumerator(FolderLister& lister) : lister_(lister) {}
  // Its items refer to it.
  TStShellEnumerator(const TStShellEnumerator&) = delete;
  TStShellEnumerator& operator=(const TStShellEnumerator&) = delete;

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
  // During a scan: whether the listing being reported holds the whole folder (known before
  // the first item is reported).
  bool ListingWhole() const { return listing_whole_; }

 private:
  friend class TStShellItem;
  void sort_items();
  TStShellItem& add_item(const FolderEntry& entry);

  FolderLister& lister_;
  std::string names_;                // of the items, one after the other
  std::vector<TStShellItem> items_;  // the first kept_ are the last scan's
  std::size_t kept_ = 0;
  bool complete_ = false;
  bool listing_whole_ = false;
};

}  // namespace lumenpoll
