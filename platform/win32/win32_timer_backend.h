#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "base/timer.h"
#include "platform/win32/win32_handles.h"

namespace lumenpoll {

// Timers with SetTimer and KillTimer on a message-only window of their own, so that they
// tick in every message loop of the thread, an error box's included, whatever window exists.
class Win32TimerBackend : public TimerBackend {
 public:
  Win32TimerBackend();
  Win32TimerBackend(const Win32TimerBackend&) = delete;
  Win32TimerBackend& operator=(const Win32TimerBackend&) = delete;
  ~Win32TimerBackend() override;

  // Null when SetTimer refuses.
  std::unique_ptr<TimerHandle> start(unsigned interval_ms, std::function<void()> tick) override;

  HWND window() const { return window_.get(); }

 private:
  class Handle;
  using Tick = std::shared_ptr<std::function<void()>>;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // Runs the tick of a running timer; a message of one already stopped is ignored.
  void on_timer(UINT_PTR id);

  std::map<UINT_PTR, Tick> ticks_;
  UINT_PTR last_id_ = 0;  // never reused, so a late message finds no new timer
  UniqueWindow window_;   // last: destroyed first, while the ticks it may call still exist
};

}  // namespace lumenpoll
