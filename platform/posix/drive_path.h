#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumenpoll {

// Maps station paths on drive C: ("C:\Program Files\ImageJ\ij_raw.bat") to paths under
// the folder that stands for that drive. Each component is matched without regard to
// ASCII case against the entries that exist, so spellings that differ only in case reach
// the same file, and a component that matches nothing is used as written.
class DrivePath {
 public:
  // drive_c: an absolute POSIX path.
  explicit DrivePath(std::string drive_c);

  // The POSIX path, or nothing for a path on another drive, without a drive, or holding
  // a NUL; callers treat nothing as a missing folder. "." and ".." are resolved within the
  // path, never above the drive's root, as the station does.
  std::optional<std::string> map(const std::string& station_path) const;

 private:
  static std::optional<std::vector<std::string>> components(const std::string& station_path);
  static std::string existing_spelling(const std::string& folder, const std::string& name);

  std::string drive_c_;
};

}  // namespace lumenpoll
