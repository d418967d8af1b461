#pragma once

#include <optional>

#include "base/application.h"
#include "base/console_sessions.h"
#include "base/station_lock.h"
#include "base/timer.h"
#include "ui/form1.h"

namespace lumenpoll {

// The station follows the operator: of the copies of the program, one a session, the one in
// the session at the station's console runs the cycle. Asked by a start at the console while
// its own session is not there, the holder takes no more raw files, finishes the image in
// progress up to its delete script (past the time limit it stops where it is, and the raw
// file stays for the next copy), gives the station up and stays, window and selection kept,
// without a cycle. A copy without the station looks once a second whether it should run the
// cycle: it takes the station when nobody holds it, and asks the holder for it when its own
// session is at the console again. No box is shown for any of this.
class StationHandOver {
 public:
  // start: whether the program holds the station, or waits for the holder to hand it over.
  StationHandOver(StationLock& lock, const ConsoleSessions& sessions, TForm1& form,
                  Application& app, TimerBackend& timers, StartAs start);
  StationHandOver(const StationHandOver&) = delete;
  StationHandOver& operator=(const StationHandOver&) = delete;
  ~StationHandOver();

  bool holding() const { return state_ != State::Dormant; }

  static constexpr unsigned kLookIntervalMs = 1000;
  static constexpr unsigned kTimeLimitMs = 60000;

 private:
  enum class State { Holding, HandingOver, Dormant };

  HolderVerdict decide(std::optional<SessionId> asker);
  void look();
  void give_up();
  void save();

  StationLock& lock_;
  const ConsoleSessions& sessions_;
  TForm1& form_;
  Application& app_;
  State state_;
  bool image_done_ = false;  // the image in progress has reached its delete script
  Timer look_timer_;
  Timer limit_timer_;
  Timer save_timer_;
};

}  // namespace lumenpoll
