#pragma once

#include <deque>
#include <set>
#include <string>

#include "base/application.h"
#include "base/timer.h"
#include "cycle/cycle_intervals.h"

namespace lumenpoll {

// What the operator is told about single files the cycle leaves alone or waits on (a name
// the scripts cannot take, a file that cannot be read, one a delete left behind): one box
// at a time.
// The boxes are shown by a timer of their own, so that while one waits for the operator
// the scans go on and the other images are processed; what comes up meanwhile is shown
// after it, in turn.
class RawFileNotices {
 public:
  RawFileNotices(Application& app, TimerBackend& timers);
  RawFileNotices(const RawFileNotices&) = delete;
  RawFileNotices& operator=(const RawFileNotices&) = delete;

  // Queues message unless a notice of this key has been queued before in this run.
  void Report(const std::string& key, std::string message);
  // Queues message; the caller says each thing once.
  void Queue(std::string message);
  // Nothing more is shown: the window has closed.
  void Stop();

  const Timer& noticetimer() const { return noticetimer_; }

  // How soon a queued notice is shown.
  static constexpr unsigned kIntervalMs = cycle_intervals::kNoticeQueueMs;

 private:
  void noticetimerTimer();

  Application& app_;
  std::set<std::string> reported_;
  std::deque<std::string> pending_;
  bool stopped_ = false;
  Timer noticetimer_;
};

}  // namespace lumenpoll
