#include "platform/posix/posix_folder_lister.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/listing_order.h"
#include "platform/posix/unique_dir.h"

namespace lumenpoll {

namespace {

FolderStatus root_status(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    // A permission error is Unreadable, not Missing: behind a parent we may not search
    // the folder may exist. A path that resolves to nothing (a link loop) is missing.
    return errno == EACCES ? FolderStatus::Unreadable : FolderStatus::Missing;
  }
  return S_ISDIR(st.st_mode) ? FolderStatus::Listed : FolderStatus::NotAFolder;
}

enum class Kind { File, Folder, Other };

// Symbolic links are followed. Only files and folders exist on the station's shell
// namespace; a FIFO, a device, a dangling link or a link loop is left out like a hidden name.
Kind kind_of(DIR* dir, const dirent& entry) {
  if (entry.d_type == DT_REG) return Kind::File;
  if (entry.d_type == DT_DIR) return Kind::Folder;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return Kind::Other;
  struct stat st {};
  if (::fstatat(::dirfd(dir), entry.d_name, &st, 0) != 0) return Kind::Other;
  if (S_ISREG(st.st_mode)) return Kind::File;
  return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::Other;
}

bool is_self_or_parent(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// The characters no name on the station's file system holds: controls and \ / : * ? " < > |
constexpr std::array<bool, 256> kForbidden = [] {
  std::array<bool, 256> forbidden{};
  for (int c = 0; c < 32; ++c) forbidden[c] = true;
  for (unsigned char c : std::string_view(R"(\/:*?"<>|)")) forbidden[c] = true;
  return forbidden;
}();

bool station_can_hold(std::string_view name) {
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return kForbidden[static_cast<unsigned char>(c)]; });
}

// A failure of readdir part-way ends the listing with what was read.
std::vector<FolderEntry> read_entries(DIR* dir, std::size_t expected) {
  std::vector<FolderEntry> entries;
  entries.reserve(expected);
  for (;;) {
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) break;
    if (is_self_or_parent(entry->d_name)) continue;
    FolderEntry item;
    item.name = entry->d_name;
    item.is_file_system = true;
    const Kind kind = kind_of(dir, *entry);
    item.is_folder = kind == Kind::Folder;
    // The station could not see a name it cannot hold, and passing one on would process
    // the wrong image: its name is cut at ":" or "\", its script arguments split at '"'.
    item.is_hidden =
        kind == Kind::Other || item.name.front() == '.' || !station_can_hold(item.name);
    entries.push_back(std::move(item));
  }
  return entries;
}

// Puts the entries in the station's listing order in place, following each cycle of the
// permutation, so that a crowded folder is not copied.
void put_in_listing_order(std::vector<FolderEntry>& entries) {
  std::vector<std::string_view> names;
  names.reserve(entries.size());
  for (const FolderEntry& entry : entries) names.emplace_back(entry.name);
  std::vector<std::size_t> order = listing_order(names);
  names.clear();  // the views die with the moves below
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    FolderEntry held = std::move(entries[start]);
    std::size_t at = start;
    while (order[at] != start) {
      const std::size_t from = order[at];
      entries[at] = std::move(entries[from]);
      order[at] = at;
      at = from;
    }
    entries[at] = std::move(held);
    order[at] = at;
  }
}

}  // namespace

FolderListing PosixFolderLister::list(const std::string& folder) {
  const auto path = drive_.map(folder);
  if (!path) return {FolderStatus::Missing, {}};
  FolderListing listing;
  listing.status = root_status(*path);
  if (listing.status != FolderStatus::Listed) return listing;
  UniqueDir dir(::opendir(path->c_str()));
  if (!dir) {
    // The root may have gone since it was looked at.
    if (errno == ENOENT) return {FolderStatus::Missing, {}};
    if (errno == ENOTDIR) return {FolderStatus::NotAFolder, {}};
    return {FolderStatus::Unreadable, {}};
  }
  listing.entries = read_entries(dir.get(), expected_entries_);
  put_in_listing_order(listing.entries);
  listing.in_name_order = true;
  expected_entries_ = listing.entries.size();
  return listing;
}

std::optional<FileStamp> PosixFolderLister::stamp(const std::string& path) {
  const auto posix_path = drive_.map(path);
  struct stat st {};
  if (!posix_path || ::stat(posix_path->c_str(), &st) != 0) return std::nullopt;
  constexpr std::int64_t kNanoseconds = 1'000'000'000;
  return FileStamp{static_cast<std::uint64_t>(st.st_size),
                   std::int64_t{st.st_mtim.tv_sec} * kNanoseconds + st.st_mtim.tv_nsec};
}

}  // namespace lumenpoll
