#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace lumenpoll::test {

// A fresh folder under the system's temporary folder, removed with everything in it when
// dropped. Relative paths may be written with "/": they are joined with the system's
// separator, so that a Windows test gets station (backslash) paths.
class TempFolder {
 public:
  TempFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    do {
      path_ = (base / ("lumenpoll-test-" + std::to_string(random()))).string();
    } while (!std::filesystem::create_directory(path_));
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    // Tests lock folders and make files read-only: give the rights back so that all goes.
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(
             path_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
      if (!it->is_symlink(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
  }

  const std::string& path() const { return path_; }
  // Joined as bytes: a name reaches the system as the test wrote it, in no other encoding.
  std::string operator/(const std::string& relative) const {
    constexpr auto separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string joined = path_ + separator + relative;
    std::replace(joined.begin() + static_cast<std::ptrdiff_t>(path_.size()), joined.end(), '/',
                 separator);
    return joined;
  }

  std::string make_folder(const std::string& relative) const {
    std::filesystem::create_directories(*this / relative);
    return *this / relative;
  }
  std::string write_file(const std::string& relative, const std::string& bytes) const {
    const std::string path = *this / relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::string path_;
};

}  // namespace lumenpoll::test
