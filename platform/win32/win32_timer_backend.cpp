#include "platform/win32/win32_timer_backend.h"

#include <utility>

namespace lumenpoll {

class Win32TimerBackend::Handle : public TimerHandle {
 public:
  Handle(Win32TimerBackend& backend, UINT_PTR id) : backend_(backend), id_(id) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() override {
    ::KillTimer(backend_.window_, id_);
    backend_.ticks_.erase(id_);
  }

 private:
  Win32TimerBackend& backend_;
  UINT_PTR id_;
};

std::unique_ptr<TimerHandle> Win32TimerBackend::start(unsigned interval_ms,
                                                      std::function<void()> tick) {
  const UINT_PTR id = ++last_id_;
  if (::SetTimer(window_, id, interval_ms, nullptr) == 0) return nullptr;
  ticks_[id] = std::make_shared<std::function<void()>>(std::move(tick));
  return std::make_unique<Handle>(*this, id);
}

void Win32TimerBackend::on_timer(UINT_PTR id) {
  const auto found = ticks_.find(id);
  if (found == ticks_.end()) return;
  // Held here: the tick may stop its own timer, which drops the map's copy.
  const Tick tick = found->second;
  (*tick)();
}

}  // namespace lumenpoll
