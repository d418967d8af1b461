#include "platform/win32/program_folder.h"

#include <windows.h>

#include <ostream>
#include <string>

#include "base/system_message.h"
#include "platform/win32/win32_shell.h"

namespace lumenpoll {
namespace {

constexpr DWORD kLongestPath = 32767;  // characters, of any path the system takes

// The folder, ending in a backslash, that holds the program; empty when the system cannot
// say.
std::wstring program_folder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const auto room = static_cast<DWORD>(path.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), room);
    if (length == 0) return {};
    if (length < room) {
      const std::size_t slash = path.find_last_of(L'\\', length);
      if (slash == std::wstring::npos) {
        ::SetLastError(ERROR_BAD_PATHNAME);
        return {};
      }
      path.resize(slash + 1);
      return path;
    }
    if (room > kLongestPath) {
      ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return {};
    }
    path.resize(2 * path.size());  // cut short: again with more room
  }
}

}  // namespace

// The wide functions: the program's folder may hold characters outside the code page.
void enter_program_folder(std::ostream& log) {
  const std::wstring folder = program_folder();
  if (!folder.empty() && ::SetCurrentDirectoryW(folder.c_str())) return;
  const DWORD error = ::GetLastError();
  log << "The program's folder could not be made the working folder: "
      << system_message_text(Win32Shell().SystemMessage(error)) << ".\n";
}

}  // namespace lumenpoll
