#include "check/import_folder_check.h"

#include <map>
#include <string>
#include <vector>

#include "base/system_message.h"
#include "base/text.h"
#include "check/report_text.h"
#include "cycle/script_names.h"
#include "cycle/station_paths.h"

namespace lumenpoll {

namespace {

using State = StampResult::State;

// A raw file of the folder: why the program leaves it alone, or its two looks.
struct RawFile {
  std::string name;
  std::string left_alone;
  StampResult first;
  StampResult second;
};

bool is_listed_file(const FolderEntry& entry) {
  return entry.is_file_system && !entry.is_folder;
}

bool has_extension(const std::string& name, const char* ext) {
  return text::same_name(text::file_ext(name), ext);
}

std::string raw_path(const std::string& name) {
  return std::string(kImportFolder) + "\\" + name;
}

// The processed images the scans can see, by upper-cased image name: the first listed.
std::map<std::string, std::string> processed_images(const std::vector<FolderEntry>& entries,
                                                    Edition edition) {
  const char* ext = processed_extension(edition);
  std::map<std::string, std::string> images;
  for (const FolderEntry& entry : entries) {
    if (is_listed_file(entry) && !entry.is_hidden && has_extension(entry.name, ext))
      images.emplace(text::upper_case(image_name(entry.name)), entry.name);
  }
  return images;
}

// What the program does with a raw file it may take, by two looks a second apart.
struct Outcome {
  std::string text;
  bool finding = false;  // it is never taken as things are
};

Outcome outcome_of_looks(const RawFile& raw) {
  const StampResult& unreadable = raw.first.state == State::Unreadable ? raw.first : raw.second;
  if (unreadable.state == State::Unreadable) {
    return {"cannot be read: " + system_message_text(unreadable.message) +
                ": the program says so once and leaves it",
            true};
  }
  if (raw.first.state == State::Gone && raw.second.state == State::Gone) {
    return {"listed, but not found by its name: " + system_message_text(raw.second.message) +
                ": the program says it cannot read it and leaves it",
            true};
  }
  if (raw.second.state == State::InUse)
    return {"a program still writes it: taken once the writer lets it go"};
  if (raw.first.state == State::Gone || raw.second.state == State::Gone)
    return {"came or went while it was looked at: check again"};
  if (raw.first.state != State::Stamped || raw.first.stamp != raw.second.stamp)
    return {"changed within the second it was looked at: taken once it stays unchanged"};
  return {"taken as soon as the program scans"};
}

// The raw files of the folder in listing order. Hidden ones are left alone, as the program's
// scans do not list them, and so are those whose names the scripts cannot take.
std::vector<RawFile> raw_files(const std::vector<FolderEntry>& entries) {
  std::vector<RawFile> raw;
  for (const FolderEntry& entry : entries) {
    if (!is_listed_file(entry) || !has_extension(entry.name, ".NEF")) continue;
    RawFile file{entry.name, {}, {}, {}};
    if (entry.is_hidden) {
      file.left_alone = "hidden, so the program does not see it";
    } else if (const std::string refusal = name_refusal(image_name(entry.name)); !refusal.empty()) {
      file.left_alone = "the program leaves this raw file alone and says so once: " + refusal;
    }
    raw.push_back(std::move(file));
  }
  return raw;
}

void look_twice(std::vector<RawFile>& raw, const StationAccess& station) {
  bool looked = false;
  for (RawFile& file : raw) {
    if (!file.left_alone.empty()) continue;
    file.first = station.folders.stamp(raw_path(file.name));
    looked = true;
  }
  if (!looked) return;
  if (station.wait_a_second) station.wait_a_second();
  for (RawFile& file : raw) {
    if (file.left_alone.empty() && file.first.state != State::Unreadable)
      file.second = station.folders.stamp(raw_path(file.name));
  }
}

void report_raw_file(const RawFile& raw, const std::map<std::string, std::string>& processed,
                     ReportWriter& out) {
  if (!raw.left_alone.empty()) {
    out.finding(quoted(raw.name) + ": " + raw.left_alone);
    return;
  }
  const Outcome outcome = outcome_of_looks(raw);
  if (outcome.finding) {
    out.finding(quoted(raw.name) + ": " + outcome.text);
    return;
  }
  out.info(quoted(raw.name) + ": " + outcome.text);
  const auto earlier = processed.find(text::upper_case(image_name(raw.name)));
  if (earlier == processed.end()) return;
  out.finding(quoted(raw.name) + ": " + earlier->second +
              " beside it is left from before: the program takes the raw file but waits until "
              "the raw script replaces " +
              earlier->second + ", and says so after 60 s");
}

}  // namespace

void check_import_folder(const StationAccess& station, Edition edition, ReportWriter& out) {
  out.heading(std::string("Import folder ") + kImportFolder);
  const FolderListing& listing = station.folders.list(kImportFolder);
  switch (listing.status) {
    case FolderStatus::Missing:
    case FolderStatus::NotAFolder:
      out.finding("Invalid folder: there is no such folder, and the program says so every second");
      return;
    case FolderStatus::Unreadable:
      // The program's scan of such a folder is empty and says nothing.
      out.finding(
          "this account cannot list the folder: the program sees no raw file in it and shows no "
          "box");
      return;
    case FolderStatus::Listed:
      break;
  }
  // The looks below may not keep the lister's own copy of the listing.
  const std::vector<FolderEntry> entries = listing.entries;
  std::vector<RawFile> raw = raw_files(entries);
  if (raw.empty()) {
    out.info("present; no raw file waiting");
    return;
  }
  out.info("present; " + std::to_string(raw.size()) +
           (raw.size() == 1 ? " raw file" : " raw files") + ", looked at twice a second apart:");
  look_twice(raw, station);
  const auto processed = processed_images(entries, edition);
  for (const RawFile& file : raw) report_raw_file(file, processed, out);
}

}  // namespace lumenpoll
