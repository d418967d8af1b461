#include "platform/win32/win32_script_probe.h"

#include <windows.h>

#include "base/system_message.h"
#include "platform/win32/win32_shell.h"

namespace lumenpoll {

ScriptState Win32ScriptProbe::probe(const std::string& script_path) {
  ScriptState state;
  const DWORD attributes = ::GetFileAttributesA(script_path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    state.error = ::GetLastError();
  } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    state.error = ERROR_ACCESS_DENIED;
  }
  if (state.error != 0)
    state.message = system_message_text(Win32Shell().SystemMessage(state.error));
  return state;
}

}  // namespace lumenpoll
