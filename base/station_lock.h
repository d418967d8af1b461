#pragma once

#include <functional>

namespace lumenpoll {

// One station runs one cycle, whichever of the two programs runs it: two would take every
// image twice. The program that runs the cycle holds the station's lock until it ends in any
// way (closed, killed, crashed), so a later start is never refused for good.
class StationLock {
 public:
  virtual ~StationLock() = default;
  // True when this program now holds the station; false when another program does.
  virtual bool acquire() = 0;
  // Asks the program that holds the station to show its window in front.
  virtual void bring_holder_forward() = 0;
};

// Runs the program (body) when it is the station's only one; otherwise brings the running
// one forward and gives 0, without a window, a scan or a script.
int run_alone(StationLock& lock, const std::function<int()>& body);

}  // namespace lumenpoll
