#include "platform/fltk/fltk_timer_backend.h"

#include <FL/Fl.H>

#include <algorithm>
#include <utility>

namespace lumenpoll {
namespace {

// Shared so that a tick whose handler drops the handle still finishes on live state.
struct TimeoutState : std::enable_shared_from_this<TimeoutState> {
  double seconds = 0;
  std::function<void()> tick;
};

void on_timeout(void* data) {
  auto* state = static_cast<TimeoutState*>(data);
  // Re-arm first: the handler may open an error box whose loop must keep this timer going.
  Fl::repeat_timeout(state->seconds, on_timeout, state);
  std::shared_ptr<TimeoutState> alive = state->shared_from_this();
  alive->tick();
}

class FltkTimerHandle : public TimerHandle {
 public:
  explicit FltkTimerHandle(std::shared_ptr<TimeoutState> state) : state_(std::move(state)) {
    Fl::add_timeout(state_->seconds, on_timeout, state_.get());
  }
  FltkTimerHandle(const FltkTimerHandle&) = delete;
  FltkTimerHandle& operator=(const FltkTimerHandle&) = delete;
  ~FltkTimerHandle() override { Fl::remove_timeout(on_timeout, state_.get()); }

 private:
  std::shared_ptr<TimeoutState> state_;
};

}  // namespace

std::unique_ptr<TimerHandle> FltkTimerBackend::start(unsigned interval_ms,
                                                     std::function<void()> tick) {
  auto state = std::make_shared<TimeoutState>();
  // Windows never fires a timer faster than 10 ms; a zero interval must not spin the loop.
  constexpr unsigned kMinimumMs = 10;
  state->seconds = std::max(interval_ms, kMinimumMs) / 1000.0;
  state->tick = std::move(tick);
  return std::make_unique<FltkTimerHandle>(std::move(state));
}

}  // namespace lumenpoll
