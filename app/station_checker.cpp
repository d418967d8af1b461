#include "app/station_checker.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "check/check_options.h"
#include "check/station_check.h"
#include "platform/common/cp1252.h"
#include "platform/posix/drive_path.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_lister.h"
#include "platform/posix/posix_script_probe.h"

namespace lumenpoll {

namespace {

constexpr int kNotChecked = static_cast<int>(CheckStatus::NotChecked);

// The folder that stands for drive C:, made absolute; empty when there is no such folder.
std::string drive_folder(const std::string& given, std::ostream& err) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(given, ec);
  if (!ec && std::filesystem::is_directory(folder, ec)) return folder.lexically_normal().string();
  err << "lumenpoll-check: " << given << ": no such folder to stand for drive C:\n";
  return {};
}

}  // namespace

int run_station_checker(const std::vector<std::string>& args, const std::string& default_drive,
                        std::ostream& out, std::ostream& err) {
  const CheckOptions options = parse_check_options(args);
  if (!options.error.empty()) {
    err << "lumenpoll-check: " << options.error << "\n\n" << check_usage(default_drive);
    return kNotChecked;
  }
  if (options.help) {
    out << check_usage(default_drive);
    return 0;
  }
  const std::string drive_c = drive_folder(options.drive.value_or(default_drive), err);
  if (drive_c.empty()) return kNotChecked;

  const DrivePath drive(drive_c);
  PosixFileSystem files(drive);
  PosixFolderLister folders(drive);
  PosixScriptProbe scripts(drive);
  const StationReport report = check_station({files, folders, scripts}, options.edition);
  out << "Drive C: is " << drive_c << "\n";
  for (const std::string& line : report.lines) out << cp1252_to_utf8(line) << "\n";
  return static_cast<int>(report.status());
}

}  // namespace lumenpoll
