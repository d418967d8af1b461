#include "platform/posix/drive_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <stdexcept>

#include "base/text.h"
#include "platform/posix/unique_dir.h"

namespace lumenpoll {

namespace {

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

bool is_drive_c(const std::string& path) {
  return path.size() >= 2 && (path[0] == 'C' || path[0] == 'c') && path[1] == ':';
}

std::string joined(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

}  // namespace

DrivePath::DrivePath(std::string drive_c) : drive_c_(std::move(drive_c)) {
  if (drive_c_.empty() || drive_c_.front() != '/') {
    throw std::invalid_argument("drive C: folder must be an absolute path: " + drive_c_);
  }
  while (drive_c_.size() > 1 && drive_c_.back() == '/') drive_c_.pop_back();
}

std::optional<std::string> DrivePath::map(const std::string& station_path) const {
  auto names = components(station_path);
  if (!names) return std::nullopt;
  std::string path = drive_c_;
  bool folder_exists = true;
  for (const std::string& name : *names) {
    const std::string spelling = folder_exists ? existing_spelling(path, name) : name;
    path = joined(path, spelling);
    struct stat st {};
    folder_exists = folder_exists && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  return path;
}

// The components after "C:", with "." dropped and ".." taking back the one before it;
// ".." at the root stays at the root, as on the station.
std::optional<std::vector<std::string>> DrivePath::components(const std::string& station_path) {
  if (!is_drive_c(station_path) || station_path.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  std::vector<std::string> names;
  std::size_t i = 2;
  while (i < station_path.size()) {
    while (i < station_path.size() && is_separator(station_path[i])) ++i;
    std::size_t end = i;
    while (end < station_path.size() && !is_separator(station_path[end])) ++end;
    std::string name = station_path.substr(i, end - i);
    i = end;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    names.push_back(std::move(name));
  }
  return names;
}

// The entry of folder that name stands for: the exact name when it exists, else the first
// entry (in listing order) equal to it without regard to case, else name itself.
std::string DrivePath::existing_spelling(const std::string& folder, const std::string& name) {
  struct stat st {};
  if (::lstat(joined(folder, name).c_str(), &st) == 0) return name;
  UniqueDir dir(::opendir(folder.c_str()));
  if (!dir) return name;
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string candidate = entry->d_name;
    if (text::same_name(candidate, name) && (!best || text::name_listed_before(candidate, *best))) {
      best = candidate;
    }
  }
  return best.value_or(name);
}

}  // namespace lumenpoll
