#include <chrono>
#include <ostream>
#include <thread>

#include "app/station_checker.h"
#include "platform/common/cp1252.h"
#include "platform/posix/drive_path.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_lister.h"
#include "platform/posix/posix_shell.h"

namespace lumenpoll {

namespace {

// Nothing is virtualised here: the files read are the real ones, and a VirtualStore under the
// drive's Users folder is a Windows station's, copied.
StationReport check_on(const std::string& drive_c, Edition edition) {
  const DrivePath drive(drive_c);
  PosixFileSystem files(drive);
  PosixFolderLister folders(drive);
  PosixShell scripts(drive);
  const auto wait_a_second = [] { std::this_thread::sleep_for(std::chrono::seconds(1)); };
  return check_station({files, folders, scripts, files, wait_a_second, {}}, edition);
}

}  // namespace

int run_station_checker(const std::vector<std::string>& args, const CheckerProgram& program,
                        std::ostream& out, std::ostream& err) {
  return run_checker(args, program, check_on, cp1252_to_utf8, out, err);
}

}  // namespace lumenpoll
