#include "cycle/file_run.h"

#include "base/system_message.h"

namespace lumenpoll {

int show_cmd_number(TShowCmd cmd) {
  switch (cmd) {
    case TShowCmd::scHide:
      return 0;
    case TShowCmd::scMaximize:
      return 3;
    case TShowCmd::scMinimize:
      return 6;
    case TShowCmd::scRestore:
      return 9;
    case TShowCmd::scShow:
      return 5;
    case TShowCmd::scShowDefault:
      return 10;
    case TShowCmd::scShowMaximized:
      return 3;
    case TShowCmd::scShowMinimized:
      return 2;
    case TShowCmd::scShowMinNoActive:
      return 7;
    case TShowCmd::scShowNA:
      return 8;
    case TShowCmd::scShowNoActivate:
      return 4;
    case TShowCmd::scShowNormal:
      return 1;
  }
  return 1;
}

bool TFileRun::Run() {
  // No file dialog is built (every launcher of the station leaves Browse off): with
  // Browse on, FileName is started as it stands, and an empty one starts nothing, as
  // a cancelled dialog would.
  Enabled = Browse || !FileName.empty();
  if (!Enabled || FileName.empty()) return false;

  const ShellStart start = shell_.Execute(ParentWindow, Operation, FileName, Parameters, Directory,
                                          show_cmd_number(ShowCmd));
  if (start.started()) return true;
  app_.ShowError(system_message_text(shell_.SystemMessage(start.error)));
  return false;
}

}  // namespace lumenpoll
