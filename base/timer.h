#pragma once

#include <functional>
#include <memory>
#include <string>

namespace lumenpoll {

// A running platform timer; destroying it stops the ticks.
class TimerHandle {
 public:
  virtual ~TimerHandle() = default;
};

// The platform's timers. A started timer ticks every interval until its handle goes;
// it re-arms before calling tick, so it keeps ticking inside a nested message loop.
class TimerBackend {
 public:
  virtual ~TimerBackend() = default;
  // Null when the platform refuses the timer.
  virtual std::unique_ptr<TimerHandle> start(unsigned interval_ms, std::function<void()> tick) = 0;
};

// A window timer. Enabling an enabled timer does not restart its interval; disabling
// and enabling starts a full one. A tick that arrives while the handler is still
// running (an error box of its own is open) is dropped: a handler never runs inside itself.
class Timer {
 public:
  Timer(TimerBackend& backend, unsigned interval_ms, std::function<void()> on_timer);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return enabled_; }
  // True while the handler runs (an error box of its own may hold it open).
  bool Running() const { return in_handler_; }
  // Throws EOutOfResources when the platform refuses; the timer then stays marked
  // enabled but never fires, and enabling it again does nothing.
  void SetEnabled(bool enabled);

 private:
  void tick();

  TimerBackend& backend_;
  unsigned interval_ms_;
  std::function<void()> on_timer_;
  std::unique_ptr<TimerHandle> handle_;
  bool enabled_ = false;
  bool in_handler_ = false;
};

}  // namespace lumenpoll
