#pragma once

#include <functional>
#include <memory>

#include "base/timer.h"

namespace lumenpoll {

// Timers on FLTK's timeouts: they fire from any Fl::wait(), nested ones included.
class FltkTimerBackend : public TimerBackend {
 public:
  std::unique_ptr<TimerHandle> start(unsigned interval_ms, std::function<void()> tick) override;
};

}  // namespace lumenpoll
