#include "platform/win32/station_mutex.h"

#include <windows.h>

#include <stdexcept>

namespace lumenpoll {
namespace {

constexpr const char* kMutexName = "Global\\lumenpoll station";

}  // namespace

// A mutex made by another account's program may refuse this one access: held all the same.
bool StationMutex::acquire() {
  mutex_.reset(::CreateMutexA(nullptr, FALSE, kMutexName));
  const DWORD error = ::GetLastError();
  if (!mutex_) {
    if (error == ERROR_ACCESS_DENIED) return false;
    throw std::runtime_error("The station's lock could not be made");
  }
  return error != ERROR_ALREADY_EXISTS;
}

// Windows lets the program the operator has just started put a window in front; the one in
// front is the holder's open error box if there is one. A holder in another session, or one
// still building its window, is not found: then nothing is shown.
void StationMutex::bring_holder_forward() {
  const HWND main = ::FindWindowA(window_class_.c_str(), caption_.c_str());
  if (main == nullptr) return;
  if (const HWND owner = ::GetWindow(main, GW_OWNER); owner != nullptr && ::IsIconic(owner))
    ::ShowWindow(owner, SW_RESTORE);
  ::SetForegroundWindow(::GetLastActivePopup(main));
}

}  // namespace lumenpoll
