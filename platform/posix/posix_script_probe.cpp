#include "platform/posix/posix_script_probe.h"

#include <unistd.h>

#include <cerrno>

#include "base/system_message.h"
#include "platform/posix/error_codes.h"
#include "platform/posix/script_access.h"
#include "platform/posix/windows_messages.h"

namespace lumenpoll {

ScriptState PosixScriptProbe::probe(const std::string& script_path) {
  std::uintptr_t error = kPathNotFound;
  if (const auto script = drive_.map(script_path)) error = script_problem(*script);
  if (error == 0 && ::access(interpreter_.c_str(), X_OK) != 0) error = shell_error_code(errno);
  ScriptState state;
  state.error = static_cast<unsigned>(error);
  if (error != 0) state.message = system_message_text(windows_message(state.error));
  return state;
}

}  // namespace lumenpoll
