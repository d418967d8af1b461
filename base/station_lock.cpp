#include "base/station_lock.h"

namespace lumenpoll {

int run_alone(StationLock& lock, const std::function<int()>& body) {
  if (lock.acquire()) return body();
  lock.bring_holder_forward();
  return 0;
}

}  // namespace lumenpoll
