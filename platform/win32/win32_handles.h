#pragma once

#include <objbase.h>
#include <shtypes.h>
#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/common/unique_resource.h"

// Every owner of a Win32 handle the programs use: each releases its handle when dropped.
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

// One kernel handle (a file, a mutex, a pipe, an event).
using UniqueHandle = UniqueResource<HandleTraits>;

// A GDI object (font, bitmap); it must be out of every DC by then.
struct GdiDelete {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDelete>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDelete>;

// A window of the program's own. What its procedure keeps with it (GWLP_USERDATA) is cleared
// first, so that nothing the destruction sends reaches an object that is going.
struct DestroyOwnWindow {
  void operator()(HWND window) const {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
  }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, DestroyOwnWindow>;

// A window's DC, from GetDC, for a scope.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The DC of a WM_PAINT, from BeginPaint, for its handler.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { ::EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A font selected into a DC for a scope.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), old_(::SelectObject(dc, font)) {}
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
  ~SelectedFont() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window hook of this thread.
struct UnhookWindowsHook {
  void operator()(HHOOK hook) const { ::UnhookWindowsHookEx(hook); }
};
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, UnhookWindowsHook>;

// A COM interface.
struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease>;

// Memory the system hands out by LocalAlloc: a security descriptor made from its text.
struct LocalMemoryFree {
  void operator()(void* memory) const { ::LocalFree(memory); }
};
using UniqueLocal = std::unique_ptr<void, LocalMemoryFree>;

// Memory the shell hands out: item ID lists, strings.
struct CoTaskFree {
  void operator()(void* memory) const { ::CoTaskMemFree(memory); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, CoTaskFree>;

}  // namespace lumenpoll
