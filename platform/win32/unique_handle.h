#pragma once

#include <windows.h>

#include <utility>

namespace lumenpoll {

// Owns one kernel handle (a file) and closes it when dropped.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  // A close error here has no one to go to; close_checked() is for writers that care.
  void reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (*this) ::CloseHandle(handle_);
    handle_ = handle;
  }
  // Closes now and gives GetLastError's code, or 0.
  DWORD close_checked() {
    if (!*this) return 0;
    return ::CloseHandle(release()) ? 0 : ::GetLastError();
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace lumenpoll
