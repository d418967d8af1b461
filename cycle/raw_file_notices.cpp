#include "cycle/raw_file_notices.h"

#include <utility>

namespace lumenpoll {

RawFileNotices::RawFileNotices(Application& app, TimerBackend& timers)
    : app_(app),
      noticetimer_(timers, kIntervalMs, [this] { app_.guarded([this] { noticetimerTimer(); }); }) {}

void RawFileNotices::Report(const std::string& key, std::string message) {
  if (stopped_ || !reported_.insert(key).second) return;
  Queue(std::move(message));
}

void RawFileNotices::Queue(std::string message) {
  if (stopped_) return;
  pending_.push_back(std::move(message));
  noticetimer_.SetEnabled(true);
}

void RawFileNotices::Stop() {
  stopped_ = true;
  pending_.clear();
  noticetimer_.SetEnabled(false);
}

// The timer drops its own ticks while this box is open, so at most one notice is on screen.
void RawFileNotices::noticetimerTimer() {
  if (pending_.empty()) {
    noticetimer_.SetEnabled(false);
    return;
  }
  const std::string message = std::move(pending_.front());
  pending_.pop_front();
  if (pending_.empty()) noticetimer_.SetEnabled(false);
  app_.ShowError(message);
}

}  // namespace lumenpoll
