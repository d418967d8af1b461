#include "cycle/shell_enumerator.h"

#include <algorithm>
#include <cstdint>

#include "base/capacity.h"
#include "base/errors.h"
#include "base/text.h"

namespace lumenpoll {

std::string TStShellItem::Path() const {
  const std::string& root = scanner_->RootFolder;
  const bool separator = !root.empty() && root.back() != '\\';
  std::string path;
  path.reserve(root.size() + 1 + name_length_);
  path += root;
  if (separator) path += '\\';
  path += FileName();
  return path;
}

std::string_view TStShellItem::FileName() const {
  return std::string_view(scanner_->names_).substr(name_start_, name_length_);
}

TStShellItem& TStShellEnumerator::add_item(const FolderEntry& entry) {
  TStShellItem& item = items_[kept_];
  item.scanner_ = this;
  item.name_start_ = static_cast<std::uint32_t>(names_.size());
  item.name_length_ = static_cast<std::uint16_t>(entry.name.size());
  names_ += entry.name;
  item.is_file_system_ = entry.is_file_system;
  item.is_folder_ = entry.is_folder;
  return item;
}

void TStShellEnumerator::Enumerate() {
  kept_ = 0;
  complete_ = false;
  listing_whole_ = false;

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

  listing_whole_ = !listing.cut_short;
  const bool hidden = Options.contains(TStEnumOption::eoIncludeHidden);
  const bool folders = Options.contains(TStEnumOption::eoIncludeFolders);
  const bool non_folders = Options.contains(TStEnumOption::eoIncludeNonFolders);
  make_room(items_, listing.entries.size());
  if (items_.size() < listing.entries.size()) items_.resize(listing.entries.size());
  std::size_t text = 0;
  for (const FolderEntry& entry : listing.entries) text += entry.name.size();
  names_.clear();
  make_room(names_, text);
  for (const FolderEntry& entry : listing.entries) {
    // A name is at most 255 characters on the station's file systems; a longer one is none
    // its calls could reach.
    if (entry.name.size() > UINT16_MAX) continue;
    if ((entry.is_hidden && !hidden) || !(entry.is_folder ? folders : non_folders)) continue;
    const std::size_t text_before = names_.size();
    TStShellItem& item = add_item(entry);
    bool accept = true;
    if (OnEnumItem) OnEnumItem(*this, item, accept);
    if (accept)
      ++kept_;
    else
      names_.resize(text_before);  // the next item takes its place
  }

  const bool in_order = listing.in_name_order && SortDirection == TStSortDirection::sdAscending;
  if (Sorted && !in_order) sort_items();
  complete_ = listing_whole_;
}

void TStShellEnumerator::sort_items() {
  const bool ascending = SortDirection == TStSortDirection::sdAscending;
  const auto before = [ascending](const auto& a, const auto& b) {
    return ascending ? text::name_listed_before(a.FileName(), b.FileName())
                     : text::name_listed_before(b.FileName(), a.FileName());
  };
  const auto kept = items_.begin() + static_cast<std::ptrdiff_t>(kept_);
  if (!std::is_sorted(items_.begin(), kept, before)) std::stable_sort(items_.begin(), kept, before);
}

}  // namespace lumenpoll
