#include "base/timer.h"

#include "base/errors.h"

namespace lumenpoll {

Timer::Timer(TimerBackend& backend, unsigned interval_ms, std::function<void()> on_timer)
    : backend_(backend), interval_ms_(interval_ms), on_timer_(std::move(on_timer)) {}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled) {
    handle_.reset();
    return;
  }
  handle_ = backend_.start(interval_ms_, [this] { tick(); });
  if (!handle_) throw EOutOfResources();
}

void Timer::tick() {
  if (in_handler_ || !enabled_) return;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(in_handler_);
  on_timer_();
}

}  // namespace lumenpoll
