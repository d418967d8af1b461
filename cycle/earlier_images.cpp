#include "cycle/earlier_images.h"

#include <utility>

#include "base/operator_texts.h"
#include "base/text.h"

namespace lumenpoll {

EarlierImages::EarlierImages(Application& app, FolderLister& lister, RawFileNotices& notices,
                             TimerBackend& timers)
    : lister_(lister),
      notices_(notices),
      watch_(timers, kNoticeAfterMs, [this, &app] { app.guarded([this] { watch_ended(); }); }) {}

void EarlierImages::Take(std::string raw_name, const std::vector<std::string>& processed_paths) {
  watch_.SetEnabled(false);
  due_ = told_ = false;
  raw_name_ = std::move(raw_name);
  earlier_.clear();
  for (const std::string& path : processed_paths) {
    const StampResult look = lister_.stamp(path);
    if (look.state == StampResult::State::Gone) continue;
    earlier_[path] = look.state == StampResult::State::Stamped
                         ? std::optional<FileStamp>(look.stamp)
                         : std::nullopt;
  }
}

void EarlierImages::RawScriptStarting() {
  for (auto& [path, stamp] : earlier_)
    if (!stamp) unreplaced(stamp, lister_.stamp(path));
}

void EarlierImages::RawScriptStarted() {
  if (!earlier_.empty()) watch_.SetEnabled(true);
}

bool EarlierImages::unreplaced(std::optional<FileStamp>& stamp, const StampResult& look) {
  switch (look.state) {
    case StampResult::State::Gone:
      return false;
    case StampResult::State::Stamped:
      if (!stamp) {
        stamp = look.stamp;
        return true;
      }
      return *stamp == look.stamp;
    case StampResult::State::InUse:
    case StampResult::State::Unreadable:
      return true;
  }
  return true;
}

// Only the raw script's own write makes one count: a file gone between the listing and the
// look is not there, and what comes at its path later is new.
bool EarlierImages::Counts(const std::string& path) {
  const auto earlier = earlier_.find(path);
  if (earlier == earlier_.end()) return true;
  const StampResult look = lister_.stamp(path);
  if (look.state == StampResult::State::Gone) {
    earlier_.erase(earlier);
    return false;
  }
  seen_.insert(path);
  if (unreplaced(earlier->second, look)) {
    if (due_) tell(path);
    return false;
  }
  earlier_.erase(earlier);
  return true;
}

void EarlierImages::EndScan() {
  std::erase_if(earlier_, [this](const auto& earlier) { return !seen_.contains(earlier.first); });
}

// What a look cannot find (the folder may be gone for a moment) the next scan decides.
void EarlierImages::watch_ended() {
  watch_.SetEnabled(false);
  due_ = true;
  for (auto& [path, stamp] : earlier_)
    if (unreplaced(stamp, lister_.stamp(path))) tell(path);
}

void EarlierImages::tell(const std::string& path) {
  if (std::exchange(told_, true)) return;
  notices_.Queue(
      operator_texts::earlier_image_unreplaced(std::string(text::file_name(path)), raw_name_));
}

}  // namespace lumenpoll
