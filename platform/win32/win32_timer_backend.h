#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "base/timer.h"

namespace lumenpoll {

// Timers of a window with SetTimer and KillTimer. The window hands its WM_TIMER messages to
// on_timer(). They arrive in every message loop of the thread, an error box's included.
class Win32TimerBackend : public TimerBackend {
 public:
  explicit Win32TimerBackend(HWND window) : window_(window) {}
  Win32TimerBackend(const Win32TimerBackend&) = delete;
  Win32TimerBackend& operator=(const Win32TimerBackend&) = delete;

  // Null when SetTimer refuses.
  std::unique_ptr<TimerHandle> start(unsigned interval_ms, std::function<void()> tick) override;
  // Runs the tick of a running timer; a message of one already stopped is ignored.
  void on_timer(UINT_PTR id);

 private:
  class Handle;
  using Tick = std::shared_ptr<std::function<void()>>;

  HWND window_;
  std::map<UINT_PTR, Tick> ticks_;
  UINT_PTR last_id_ = 0;  // never reused, so a late message finds no new timer
};

}  // namespace lumenpoll
