#include <windows.h>

#include <exception>
#include <ostream>

#include "app/station_checker.h"
#include "base/text.h"
#include "check/checker_run.h"
#include "check/redirected_station.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/shell_folder_lister.h"
#include "platform/win32/virtual_store.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"

namespace lumenpoll {

namespace {

// The station's own drive C:, read as this account's window reads it (the checker asks for
// no execution level either, so Windows virtualises it alike), or a copy of one in another
// folder.
StationReport check_on(const std::string& drive_c, Edition edition) {
  Win32FileSystem files;
  ShellFolderLister folders;
  Win32Shell scripts;
  UnvirtualisedFileSystem real_files;
  const auto wait_a_second = [] { ::Sleep(1000); };
  const StationAccess own{files,         folders,
                          scripts,       real_files,
                          wait_a_second, {own_virtual_store(), file_virtualisation_on()}};
  if (text::same_name(drive_c, "C:\\")) return check_station(own, edition);
  RedirectedStation copy(own, drive_c);
  return check_station(copy.access(), edition);
}

// The console shows the ANSI code page, the report's texts, while the checker runs; what it
// showed before comes back after.
class ConsoleCodePage {
 public:
  explicit ConsoleCodePage(UINT code_page) : before_(::GetConsoleOutputCP()) {
    ::SetConsoleOutputCP(code_page);
  }
  ConsoleCodePage(const ConsoleCodePage&) = delete;
  ConsoleCodePage& operator=(const ConsoleCodePage&) = delete;
  ~ConsoleCodePage() {
    if (before_ != 0) ::SetConsoleOutputCP(before_);
  }

 private:
  UINT before_;
};

}  // namespace

int run_station_checker(const std::vector<std::string>& args, const CheckerProgram& program,
                        std::ostream& out, std::ostream& err) {
  const ConsoleCodePage ansi(::GetACP());
  try {
    const ComApartment com;
    const int status = run_checker(
        args, program, check_on, [](const std::string& line) { return line; }, out, err);
    out.flush();  // while the console still shows the ANSI code page
    return status;
  } catch (const std::exception& error) {
    err << "lumenpoll-check: " << error.what() << "\n";
    return static_cast<int>(CheckStatus::NotChecked);
  }
}

}  // namespace lumenpoll
