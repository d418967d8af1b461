#pragma once

#include <cstdint>
#include <string>

#include "base/application.h"
#include "base/shell.h"

namespace lumenpoll {

// How the started program's window is shown; each maps to the Windows SW_ number.
enum class TShowCmd {
  scHide,
  scMaximize,
  scMinimize,
  scRestore,
  scShow,
  scShowDefault,
  scShowMaximized,
  scShowMinimized,
  scShowMinNoActive,
  scShowNA,
  scShowNoActivate,
  scShowNormal,
};

int show_cmd_number(TShowCmd cmd);

// Starts one outside script through the shell without waiting for it. A start that
// fails is reported in the error box by Run itself, which then returns normally.
class TFileRun {
 public:
  TFileRun(Application& app, Shell& shell) : app_(app), shell_(shell) {}

  std::string FileName;
  std::string Operation = "open";
  std::string Parameters;
  std::string Directory;
  TShowCmd ShowCmd = TShowCmd::scShowNormal;
  bool Browse = false;
  std::uintptr_t ParentWindow = 0;  // the owner window's handle; 0 for none
  bool Enabled = true;

  // True once the shell has started the script; false when there was nothing to start
  // or the start failed (and was reported).
  bool Run();

 private:
  Application& app_;
  Shell& shell_;
};

}  // namespace lumenpoll
