#include "cycle/shell_enumerator.h"

#include <algorithm>

#include "base/errors.h"
#include "base/text.h"

namespace lumenpoll {

void TStShellItem::Assign(const std::string& folder, const FolderEntry& entry) {
  // One resize and two copies: this runs for every entry of every scan.
  const bool separator = !folder.empty() && folder.back() != '\\';
  name_start_ = folder.size() + (separator ? 1 : 0);
  path_.resize(name_start_ + entry.name.size());
  folder.copy(path_.data(), folder.size());
  if (separator) path_[folder.size()] = '\\';
  entry.name.copy(path_.data() + name_start_, entry.name.size());
  is_file_system_ = entry.is_file_system;
  is_folder_ = entry.is_folder;
}

void TStShellEnumerator::Enumerate() {
  kept_ = 0;
  complete_ = false;

  // Resolved anew on every call, so a folder re-created after start-up is picked up.
  const FolderListing& listing = lister_.list(RootFolder);
  switch (listing.status) {
    case FolderStatus::Missing:
    case FolderStatus::NotAFolder:
      throw ESsInvalidFolder();
    case FolderStatus::Unreadable:
      return;
    case FolderStatus::Listed:
      break;
  }

  const bool hidden = Options.contains(TStEnumOption::eoIncludeHidden);
  const bool folders = Options.contains(TStEnumOption::eoIncludeFolders);
  const bool non_folders = Options.contains(TStEnumOption::eoIncludeNonFolders);
  if (items_.size() < listing.entries.size()) items_.resize(listing.entries.size());
  for (const FolderEntry& entry : listing.entries) {
    if ((entry.is_hidden && !hidden) || !(entry.is_folder ? folders : non_folders)) continue;
    TStShellItem& item = items_[kept_];
    item.Assign(RootFolder, entry);
    bool accept = true;
    if (OnEnumItem) OnEnumItem(*this, item, accept);
    if (accept) ++kept_;
  }

  const bool in_order = listing.in_name_order && SortDirection == TStSortDirection::sdAscending;
  if (Sorted && !in_order) sort_items();
  complete_ = !listing.cut_short;
}

void TStShellEnumerator::sort_items() {
  const bool ascending = SortDirection == TStSortDirection::sdAscending;
  const auto before = [ascending](const auto& a, const auto& b) {
    return ascending ? text::name_listed_before(a.Name(), b.Name())
                     : text::name_listed_before(b.Name(), a.Name());
  };
  const auto kept = items_.begin() + static_cast<std::ptrdiff_t>(kept_);
  if (!std::is_sorted(items_.begin(), kept, before)) std::stable_sort(items_.begin(), kept, before);
}

}  // namespace lumenpoll
