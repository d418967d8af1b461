#include "platform/win32/application_restart.h"

namespace lumenpoll {

HRESULT register_for_restart(RegisterRestart register_restart) {
  return register_restart(L"", kRestartFlags);
}

}  // namespace lumenpoll
