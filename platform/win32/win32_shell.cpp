#include "platform/win32/win32_shell.h"

#include "base/system_message.h"

namespace lumenpoll {

SHELLEXECUTEINFOA shell_execute_request(HWND owner, const std::string& verb,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int show_cmd) {
  SHELLEXECUTEINFOA request{};
  request.cbSize = sizeof request;
  // NOASYNC: the call returns once the script's process exists, so that a refusal comes
  // back here and no start is still under way when the program ends; the script itself is
  // never waited for.
  request.fMask = SEE_MASK_NOZONECHECKS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  request.hwnd = owner;
  // Empty texts go as empty strings, never as null pointers.
  request.lpVerb = verb.c_str();
  request.lpFile = file.c_str();
  request.lpParameters = parameters.c_str();
  request.lpDirectory = directory.c_str();
  request.nShow = show_cmd;
  return request;
}

DWORD shell_start_error(DWORD last_error, std::uintptr_t shell_code) {
  // The shell's codes from 26 up name causes of its own, which the system's codes of the
  // same numbers do not mean (31 is a failing device); Windows' last error then names the
  // same cause, but Wine's may name another (a bad program format for no association).
  switch (shell_code) {
    case SE_ERR_SHARE:
      return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
      return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
      return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND:
      return ERROR_DLL_NOT_FOUND;
    default:
      break;
  }
  if (last_error != ERROR_SUCCESS) return last_error;  // the more exact one
  switch (shell_code) {
    case 0:  // out of memory or resources
    case SE_ERR_OOM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_FNF:
    case SE_ERR_PNF:
    case SE_ERR_ACCESSDENIED:
    case ERROR_BAD_FORMAT:
      return static_cast<DWORD>(shell_code);
    default:  // none the shell documents: no cause known
      return ERROR_CAN_NOT_COMPLETE;
  }
}

ShellStart Win32Shell::Execute(std::uintptr_t owner_window, const std::string& verb,
                               const std::string& file, const std::string& parameters,
                               const std::string& directory, int show_cmd) {
  SHELLEXECUTEINFOA request = shell_execute_request(reinterpret_cast<HWND>(owner_window), verb,
                                                    file, parameters, directory, show_cmd);
  ::SetLastError(ERROR_SUCCESS);  // so that a refusal that sets none is not read as another's
  if (::ShellExecuteExA(&request)) return {};
  const DWORD last_error = ::GetLastError();
  return ShellStart{
      shell_start_error(last_error, reinterpret_cast<std::uintptr_t>(request.hInstApp))};
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
