#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lumenpoll {

// One immediate child of a listed folder, by its stored name.
struct FolderEntry {
  std::string name;
  bool is_file_system = true;
  bool is_folder = false;
  bool is_hidden = false;
};

enum class FolderStatus {
  Listed,      // entries hold the children in the platform's listing order
  Missing,     // the root does not exist
  NotAFolder,  // the root exists but is a file
  Unreadable,  // the root exists but the listing was refused
};

struct FolderListing {
  FolderStatus status = FolderStatus::Listed;
  std::vector<FolderEntry> entries;
  bool in_name_order = false;  // the entries come in the station's name order already
  bool cut_short = false;      // the platform's listing failed part-way: entries are not all

  // Starts the listing over with this status and no entries, keeping the entries' memory.
  const FolderListing& restart(FolderStatus new_status) {
    status = new_status;
    entries.clear();
    cut_short = false;
    return *this;
  }
};

// Size and time of the last write of a file: a raw file whose stamp has not changed
// between two scans is no longer being written.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the platform's own units; only compared
  bool operator==(const FileStamp&) const = default;
};

// What a look at one file found.
struct StampResult {
  enum class State {
    Stamped,     // stamp holds its size and time
    InUse,       // a writer still holds the file: it is not complete yet
    Gone,        // no such file (any more); message says what the system said
    Unreadable,  // it is there but cannot be read; message says why
  };
  State state = State::Gone;
  FileStamp stamp;
  std::string message;  // the system's message, as the system gives it

  static StampResult stamped(FileStamp s) { return {State::Stamped, s, {}}; }
  static StampResult in_use() { return {State::InUse, {}, {}}; }
  static StampResult gone(std::string why = {}) { return {State::Gone, {}, std::move(why)}; }
  static StampResult unreadable(std::string why) { return {State::Unreadable, {}, std::move(why)}; }
};

// The platform's folder listing, by station (Windows) path.
class FolderLister {
 public:
  virtual ~FolderLister() = default;
  // The listing is the lister's own and stays valid until the next call: a folder listed
  // every second is read into the same memory each time.
  virtual const FolderListing& list(const std::string& folder) = 0;
  // The stamp of one file, taken as a reader that lets no writer in: a file still held by
  // its writer is InUse.
  virtual StampResult stamp(const std::string& path) = 0;
};

}  // namespace lumenpoll
