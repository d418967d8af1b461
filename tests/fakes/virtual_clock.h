#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "base/timer.h"

namespace lumenpoll::fakes {

// Platform timers on a virtual clock: advance() fires every due tick in time order.
// A tick re-arms before it runs, as the real timers do, so a nested advance() (an
// error box's message loop) keeps timers firing.
class VirtualClock : public TimerBackend {
 public:
  std::int64_t now_ms = 0;
  bool refuse = false;  // the platform refuses new timers

  std::unique_ptr<TimerHandle> start(unsigned interval_ms, std::function<void()> tick) override {
    if (refuse) return nullptr;
    int id = next_id_++;
    timers_[id] = Entry{interval_ms, now_ms + interval_ms, std::move(tick)};
    return std::make_unique<Handle>(*this, id);
  }

  // Runs the clock forward by ms, firing due ticks in order of their time (then of creation).
  void advance(std::int64_t ms) {
    const std::int64_t until = now_ms + ms;
    while (auto id = next_due(until)) {
      Entry& e = timers_.at(*id);
      now_ms = e.due;
      e.due += e.interval;
      auto tick = e.tick;  // the entry may go while its tick runs
      tick();
    }
    now_ms = std::max(now_ms, until);
  }

  std::size_t running() const { return timers_.size(); }

 private:
  struct Entry {
    unsigned interval;
    std::int64_t due;
    std::function<void()> tick;
  };
  class Handle : public TimerHandle {
   public:
    Handle(VirtualClock& clock, int id) : clock_(clock), id_(id) {}
    ~Handle() override { clock_.timers_.erase(id_); }

   private:
    VirtualClock& clock_;
    int id_;
  };

  std::optional<int> next_due(std::int64_t until) const {
    std::optional<int> best;
    for (const auto& [id, e] : timers_)
      if (e.due <= until && (!best || e.due < timers_.at(*best).due)) best = id;
    return best;
  }

  std::map<int, Entry> timers_;
  int next_id_ = 0;
};

}  // namespace lumenpoll::fakes
