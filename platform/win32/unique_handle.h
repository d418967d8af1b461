#pragma once

#include <windows.h>

#include "platform/common/unique_resource.h"

namespace lumenpoll {

struct HandleTraits {
  using Value = HANDLE;
  static inline const HANDLE empty = INVALID_HANDLE_VALUE;
  static bool holds(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
  static void close(HANDLE handle) { ::CloseHandle(handle); }
  static DWORD close_reporting(HANDLE handle) {
    return ::CloseHandle(handle) ? 0 : ::GetLastError();
  }
};

// One kernel handle (a file, a mutex), closed when dropped.
using UniqueHandle = UniqueResource<HandleTraits>;

}  // namespace lumenpoll
