#include "platform/win32/win32_shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "base/system_message.h"

namespace lumenpoll {

// Empty texts go as empty strings, never as null pointers.
std::uintptr_t Win32Shell::Execute(std::uintptr_t owner_window, const std::string& verb,
                                   const std::string& file, const std::string& parameters,
                                   const std::string& directory, int show_cmd) {
  const HINSTANCE result =
      ::ShellExecuteA(reinterpret_cast<HWND>(owner_window), verb.c_str(), file.c_str(),
                      parameters.c_str(), directory.c_str(), show_cmd);
  return reinterpret_cast<std::uintptr_t>(result);
}

std::string Win32Shell::SystemMessage(unsigned code) {
  char buffer[256];
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, code, 0, buffer, sizeof buffer, nullptr);
  return std::string(buffer, length);
}

ScriptState Win32Shell::probe(const std::string& script_path) {
  ScriptState state;
  const DWORD attributes = ::GetFileAttributesA(script_path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    state.error = ::GetLastError();
  } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    state.error = ERROR_ACCESS_DENIED;
  }
  if (state.error != 0) state.message = system_message_text(SystemMessage(state.error));
  return state;
}

}  // namespace lumenpoll
