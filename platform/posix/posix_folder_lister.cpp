#include "platform/posix/posix_folder_lister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/capacity.h"
#include "platform/posix/error_codes.h"
#include "platform/posix/unique_dir.h"
#include "platform/posix/unique_fd.h"
#include "platform/posix/windows_messages.h"

namespace lumenpoll {

namespace {

FolderStatus root_status(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    // A permission error is Unreadable, not Missing: behind a parent we may not search
    // the folder may exist. Any other failure (no such entry, a link loop, a name too
    // long) leaves nothing to list: missing.
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

// The name as the station shows it: passing on a character it cannot hold would process the
// wrong image (the name is cut at ":" or "\\", its script arguments split at '"').
void to_station_name(std::string& name) {
  for (char& c : name)
    if (kForbidden[static_cast<unsigned char>(c)]) c = '?';
}

// The station's error code for a failed open or stat of a raw file.
unsigned stamp_error_code(int err) {
  return err == ENAMETOOLONG ? static_cast<unsigned>(kFilenameTooLong)
                             : static_cast<unsigned>(shell_error_code(err));
}

}  // namespace

// A failure of readdir part-way ends the listing with what was read, marked as cut short.
// Read into the entries of the last listing, whose names keep their memory.
void PosixFolderLister::read_entries(DIR* dir) {
  std::size_t count = 0;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      listing_.cut_short = errno != 0;
      break;
    }
    if (is_self_or_parent(entry->d_name)) continue;
    const std::string_view name = entry->d_name;
    const Kind kind = kind_of(dir, *entry);
    if (count == listing_.entries.size()) {
      make_room(listing_.entries, count + 1);
      listing_.entries.emplace_back();
    }
    FolderEntry& listed = listing_.entries[count++];
    listed.name.assign(name);
    listed.is_file_system = true;
    listed.is_folder = kind == Kind::Folder;
    listed.is_hidden = kind == Kind::Other || name.front() == '.';
  }
  listing_.entries.resize(count);
  sorter_.Sort(listing_.entries);
  for (FolderEntry& listed : listing_.entries) to_station_name(listed.name);
}

const FolderListing& PosixFolderLister::list(const std::string& folder) {
  const auto path = drive_.map(folder);
  if (!path) return listing_.restart(FolderStatus::Missing);
  const FolderStatus status = root_status(*path);
  if (status != FolderStatus::Listed) return listing_.restart(status);
  UniqueDir dir(::opendir(path->c_str()));
  if (!dir) {
    // The root may have gone since it was looked at.
    if (errno == ENOENT) return listing_.restart(FolderStatus::Missing);
    if (errno == ENOTDIR) return listing_.restart(FolderStatus::NotAFolder);
    return listing_.restart(FolderStatus::Unreadable);
  }
  listing_.status = FolderStatus::Listed;
  listing_.in_name_order = true;
  read_entries(dir.get());
  return listing_;
}

// Opened without blocking: the entry may have been replaced by a FIFO since it was listed.
StampResult PosixFolderLister::stamp(const std::string& path) {
  const auto posix_path = drive_.map(path);
  if (!posix_path) return StampResult::gone(windows_message(kFileNotFound));
  const UniqueFd file(::open(posix_path->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat st {};
  if (!file || ::fstat(file.get(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      return StampResult::gone(windows_message(stamp_error_code(errno)));
    return StampResult::unreadable(windows_message(stamp_error_code(errno)));
  }
  constexpr std::int64_t kNanoseconds = 1'000'000'000;
  return StampResult::stamped(
      FileStamp{static_cast<std::uint64_t>(st.st_size),
                std::int64_t{st.st_mtim.tv_sec} * kNanoseconds + st.st_mtim.tv_nsec});
}

}  // namespace lumenpoll
