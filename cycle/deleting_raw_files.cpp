#include "cycle/deleting_raw_files.h"

#include <utility>

#include "base/operator_texts.h"
#include "base/text.h"

namespace lumenpoll {

// Held before the watch is armed: a refused timer must not let the image be taken again.
void DeletingRawFiles::Add(const RawFile& raw) {
  if (stopped_) return;
  Hold& hold = held_[raw.path];
  hold = Hold{raw.stamp, nullptr};
  hold.watch = std::make_unique<Timer>(timers_, kNoticeAfterMs, [this, path = raw.path] {
    app_.guarded([this, &path] { watch_ended(path); });
  });
  hold.watch->SetEnabled(true);
}

// A file a writer or a viewer holds, or one that cannot be read, is the one the delete was
// asked for as far as anybody can tell.
bool DeletingRawFiles::still_there(const Hold& hold, const StampResult& look) {
  switch (look.state) {
    case StampResult::State::Stamped:
      return look.stamp == hold.stamp;
    case StampResult::State::Gone:
      return false;
    case StampResult::State::InUse:
    case StampResult::State::Unreadable:
      return true;
  }
  return true;
}

bool DeletingRawFiles::Holds(const std::string& path, const StampResult& look) {
  const auto hold = held_.find(path);
  if (hold == held_.end()) return false;
  if (!still_there(hold->second, look)) {
    held_.erase(hold);
    return false;
  }
  seen_.insert(path);
  if (hold->second.due) tell(path, hold->second);
  return true;
}

void DeletingRawFiles::Stop() {
  stopped_ = true;
  for (auto& [path, hold] : held_) hold.watch->SetEnabled(false);
}

void DeletingRawFiles::EndScan() {
  std::erase_if(held_, [this](const auto& hold) { return !seen_.contains(hold.first); });
}

// What a look cannot find (the folder may be gone for a moment) the next scan decides: it
// ends the hold or tells it. The hold itself ends there, not here: this is its timer's tick.
void DeletingRawFiles::watch_ended(const std::string& path) {
  const auto hold = held_.find(path);
  if (hold == held_.end()) return;
  hold->second.watch->SetEnabled(false);
  hold->second.due = true;
  if (still_there(hold->second, lister_.stamp(path))) tell(path, hold->second);
}

void DeletingRawFiles::tell(const std::string& path, Hold& hold) {
  if (std::exchange(hold.told, true)) return;
  notices_.Queue(operator_texts::still_there_after_delete(std::string(text::file_name(path))));
}

}  // namespace lumenpoll
