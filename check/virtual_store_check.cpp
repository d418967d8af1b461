#include "check/virtual_store_check.h"

#include <string>
#include <vector>

#include "base/error_codes.h"
#include "base/errors.h"
#include "base/system_message.h"
#include "base/text.h"
#include "check/redirected_station.h"
#include "config/macro_table.h"
#include "config/selection_file.h"

namespace lumenpoll {

namespace {

// One account's VirtualStore folder.
struct Store {
  std::string folder;  // station path
  std::string owner;   // "this account's" or "anna's"
  bool own = false;
};

std::vector<Store> stores(const StationAccess& station) {
  std::vector<Store> found;
  const std::string& own = station.virtual_store.own;
  if (!own.empty()) found.push_back({own, "this account's", true});
  const FolderListing& profiles = station.folders.list(kProfilesFolder);
  if (profiles.status != FolderStatus::Listed) return found;
  for (const FolderEntry& profile : profiles.entries) {
    if (!profile.is_file_system || !profile.is_folder) continue;
    std::string folder =
        std::string(kProfilesFolder) + "\\" + profile.name + "\\AppData\\Local\\VirtualStore";
    if (!own.empty() && text::same_name(folder, own)) continue;
    found.push_back({std::move(folder), profile.name + "'s", false});
  }
  return found;
}

// A whole text file; a file beyond any macro list's size is not read to its end.
std::string contents(FileSystem& files, const std::string& path) {
  constexpr std::size_t kMost = 1 << 20;
  const auto reader = files.open_read(path);
  std::string bytes;
  char buffer[4096];
  while (bytes.size() < kMost) {
    const std::size_t got = reader->read(buffer, sizeof buffer);
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

// How the copy stands to the real file it hides.
std::string compared(const StationAccess& station, const std::string& copy,
                     const std::string& real) {
  std::string real_bytes;
  try {
    real_bytes = contents(station.real_files, real);
  } catch (const EInOutError& error) {
    if (error.ErrorCode() == kFileNotFound || error.ErrorCode() == kPathNotFound)
      return "there is no real one";
    return std::string("the real one cannot be read: ") + error.what();
  }
  try {
    return contents(station.files, copy) == real_bytes ? "the real one is the same"
                                                       : "the real one differs";
  } catch (const EInOutError& error) {
    return std::string("the copy cannot be read: ") + error.what();
  }
}

// Who reads the copy instead of the real file.
std::string what_it_hides(const Store& store, const std::string& real, bool selection,
                          bool read_above) {
  std::string text = store.owner + " window " +
                     (selection ? "reads and saves the selection here instead of in "
                                : "reads this copy instead of ") +
                     real;
  if (read_above) text += ", and so did this report above";
  return text;
}

}  // namespace

void check_virtual_store_copies(const StationAccess& station, ReportWriter& out) {
  out.heading("VirtualStore copies of the macro list and the saved selection");
  int copies = 0;
  int unseen = 0;
  std::string unseen_why;
  struct Hidden {
    const char* real;
    bool selection;
  };
  for (const Store& store : stores(station)) {
    bool seen = true;
    for (const auto [real, selection] : {Hidden{kMacroListPath, false}, {kSelectionPath, true}}) {
      const std::string copy = on_folder(real, store.folder);
      const StampResult look = station.folders.stamp(copy);
      if (look.state == StampResult::State::Gone) continue;
      if (look.state == StampResult::State::Unreadable) {
        if (unseen_why.empty()) unseen_why = system_message_text(look.message);
        seen = false;
        continue;
      }
      ++copies;
      const bool read_above = store.own && station.virtual_store.checker_redirected;
      out.finding(copy + ": " + what_it_hides(store, real, selection, read_above) + "; " +
                  compared(station, copy, real) + ": " +
                  (selection ? "delete the copy where the operators share one selection"
                             : "delete the copy"));
    }
    if (seen) continue;
    if (store.own)
      out.info("this account's VirtualStore could not be looked at (" + unseen_why + ")");
    else
      ++unseen;
  }
  if (copies == 0) out.info("none found");
  if (unseen > 0) {
    out.info(std::to_string(unseen) + " other " + (unseen == 1 ? "account's" : "accounts'") +
             " VirtualStore could not be looked at (" + unseen_why +
             "): run lumenpoll-check as an administrator to see every account's");
  }
}

}  // namespace lumenpoll
