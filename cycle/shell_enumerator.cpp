#include "cycle/shell_enumerator.h"

#include <algorithm>

#include "base/errors.h"
#include "base/text.h"

namespace lumenpoll {

void TStShellEnumerator::Enumerate() {
  items_.clear();

  // Resolved anew on every call, so a folder re-created after start-up is picked up.
  FolderListing listing = lister_.list(RootFolder);
  switch (listing.status) {
    case FolderStatus::Missing:
    case FolderStatus::NotAFolder:
      throw ESsInvalidFolder();
    case FolderStatus::Unreadable:
      return;
    case FolderStatus::Listed:
      break;
  }

  for (const FolderEntry& entry : listing.entries) {
    if (!wanted(entry)) continue;
    auto item = std::make_unique<TStShellItem>(child_path(entry.name), entry.is_file_system,
                                               entry.is_folder);
    bool accept = true;
    if (OnEnumItem) OnEnumItem(*this, *item, accept);
    if (accept) items_.push_back(std::move(item));
  }

  if (Sorted) sort_items();
}

bool TStShellEnumerator::wanted(const FolderEntry& entry) const {
  if (entry.is_hidden && !Options.contains(TStEnumOption::eoIncludeHidden)) return false;
  const auto kind =
      entry.is_folder ? TStEnumOption::eoIncludeFolders : TStEnumOption::eoIncludeNonFolders;
  return Options.contains(kind);
}

std::string TStShellEnumerator::child_path(const std::string& name) const {
  if (RootFolder.empty() || RootFolder.back() == '\\') return RootFolder + name;
  return RootFolder + "\\" + name;
}

void TStShellEnumerator::sort_items() {
  const bool ascending = SortDirection == TStSortDirection::sdAscending;
  std::stable_sort(items_.begin(), items_.end(), [ascending](const auto& a, const auto& b) {
    const std::string x = text::file_name(a->Path());
    const std::string y = text::file_name(b->Path());
    return ascending ? text::name_listed_before(x, y) : text::name_listed_before(y, x);
  });
}

}  // namespace lumenpoll
