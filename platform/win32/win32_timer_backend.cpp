#include "platform/win32/win32_timer_backend.h"

#include <stdexcept>
#include <utility>

#include "platform/win32/window_class.h"

namespace lumenpoll {
namespace {

constexpr const char* kClassName = "LumenpollTimers";

}  // namespace

class Win32TimerBackend::Handle : public TimerHandle {
 public:
  Handle(Win32TimerBackend& backend, UINT_PTR id) : backend_(backend), id_(id) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() override {
    ::KillTimer(backend_.window(), id_);
    backend_.ticks_.erase(id_);
  }

 private:
  Win32TimerBackend& backend_;
  UINT_PTR id_;
};

Win32TimerBackend::Win32TimerBackend() {
  register_window_class(kClassName, procedure);
  window_.reset(::CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleA(nullptr), this));
  if (!window_) throw std::runtime_error("The timers' window could not be made");
}

Win32TimerBackend::~Win32TimerBackend() = default;

std::unique_ptr<TimerHandle> Win32TimerBackend::start(unsigned interval_ms,
                                                      std::function<void()> tick) {
  const UINT_PTR id = ++last_id_;
  if (::SetTimer(window(), id, interval_ms, nullptr) == 0) return nullptr;
  ticks_[id] = std::make_shared<std::function<void()>>(std::move(tick));
  return std::make_unique<Handle>(*this, id);
}

LRESULT CALLBACK Win32TimerBackend::procedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  auto* self = window_object<Win32TimerBackend>(window, message, lparam);
  if (message == WM_TIMER && self != nullptr) {
    self->on_timer(wparam);
    return 0;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

void Win32TimerBackend::on_timer(UINT_PTR id) {
  const auto found = ticks_.find(id);
  if (found == ticks_.end()) return;
  // Held here: the tick may stop its own timer, which drops the map's copy.
  const Tick tick = found->second;
  (*tick)();
}

}  // namespace lumenpoll
