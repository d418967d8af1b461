#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace lumenpoll {

// A fresh folder under the system's temporary folder, removed with all it holds (hidden
// and read-only files too) when dropped. Paths are station (backslash) paths.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof base, base);
    for (unsigned n = ::GetTickCount();; ++n) {
      path_ = std::string(base) + "lumenpoll-test-" + std::to_string(::GetCurrentProcessId()) +
              "-" + std::to_string(n);
      if (::CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(*this / name, std::ios::binary) << bytes;
  }
  void make_folder(const std::string& name) const {
    ::CreateDirectoryA((*this / name).c_str(), nullptr);
  }

 private:
  std::string path_;
};

}  // namespace lumenpoll
