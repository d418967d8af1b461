#include "check/drive_folder.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace lumenpoll {

std::string drive_folder(const std::string& given, std::ostream& err) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(given, ec);
  if (!ec && std::filesystem::is_directory(folder, ec)) return folder.lexically_normal().string();
  err << "lumenpoll-check: " << given << ": no such folder to stand for drive C:\n";
  return {};
}

}  // namespace lumenpoll
