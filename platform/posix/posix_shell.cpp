#include "platform/posix/posix_shell.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/system_message.h"
#include "base/text.h"
#include "platform/posix/command_line.h"
#include "platform/posix/detached_process.h"
#include "platform/posix/error_codes.h"
#include "platform/posix/script_access.h"
#include "platform/posix/windows_messages.h"

namespace lumenpoll {

namespace {

bool is_open_verb(const std::string& verb) {
  return verb.empty() || text::upper_case(verb) == "OPEN";
}

ShellStart refused(std::uintptr_t code) {
  return ShellStart{static_cast<unsigned>(code)};
}

bool is_folder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

// The owner window and show command have nothing to act on: the script never has a window.
ShellStart PosixShell::Execute(std::uintptr_t /*owner_window*/, const std::string& verb,
                               const std::string& file, const std::string& parameters,
                               const std::string& directory, int /*show_cmd*/) {
  if (!is_open_verb(verb)) return refused(kNoAssociation);
  const auto script = drive_.map(file);
  if (!script) return refused(kPathNotFound);
  if (const std::uintptr_t problem = script_problem(*script)) return refused(problem);
  std::string working_folder;
  if (!directory.empty()) {
    const auto folder = drive_.map(directory);
    if (!folder || !is_folder(*folder)) return refused(kPathNotFound);
    working_folder = *folder;
  }
  std::vector<std::string> argv{interpreter_, *script};
  for (std::string& argument : split_command_line(parameters)) argv.push_back(std::move(argument));
  const int err = start_detached(argv, working_folder);
  return err == 0 ? ShellStart{} : refused(shell_error_code(err));
}

std::string PosixShell::SystemMessage(unsigned code) {
  return windows_message(code);
}

ScriptState PosixShell::probe(const std::string& script_path) {
  std::uintptr_t error = kPathNotFound;
  if (const auto script = drive_.map(script_path)) error = script_problem(*script);
  if (error == 0 && ::access(interpreter_.c_str(), X_OK) != 0) error = shell_error_code(errno);
  ScriptState state;
  state.error = static_cast<unsigned>(error);
  if (error != 0) state.message = system_message_text(windows_message(state.error));
  return state;
}

}  // namespace lumenpoll
