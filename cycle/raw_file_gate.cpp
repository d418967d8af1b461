#include "cycle/raw_file_gate.h"

#include "base/system_message.h"
#include "base/text.h"
#include "cycle/script_names.h"

namespace lumenpoll {

void RawFileGate::BeginScan() {
  current_.clear();
  not_found_now_.clear();
  deleting_seen_.clear();
}

bool RawFileGate::Admits(const std::string& path) {
  const std::string base = image_name(path);
  const std::string name(text::file_name(path));
  if (!scripts_can_take(base)) {
    notices_.Report("name " + name, "Cannot process " + name +
                                        ": its name holds characters the scripts cannot take");
    return false;
  }
  return !still_deleting(base) && unchanged_since_last_scan(path, name);
}

bool RawFileGate::still_deleting(const std::string& base) {
  const std::string key = text::upper_case(base);
  if (!deleting_.contains(key)) return false;
  deleting_seen_.insert(key);
  return true;
}

// Only raw files cost a look at the file itself, not every entry of the folder.
bool RawFileGate::unchanged_since_last_scan(const std::string& path, const std::string& name) {
  const StampResult look = lister_.stamp(path);
  switch (look.state) {
    case StampResult::State::Stamped:
      break;
    case StampResult::State::Unreadable:
      report_unreadable(name, look.message);
      return false;
    // Gone between the listing and the look, once; the same again means the listing shows
    // a file its path does not reach.
    case StampResult::State::Gone:
      not_found_now_.insert(path);
      if (not_found_before_.contains(path)) report_unreadable(name, look.message);
      return false;
    case StampResult::State::InUse:
      return false;
  }
  current_[path] = look.stamp;
  const auto before = previous_.find(path);
  return before != previous_.end() && before->second == look.stamp;
}

void RawFileGate::report_unreadable(const std::string& name, const std::string& message) {
  notices_.Report("read " + name, "Cannot read " + name + ": " + system_message_text(message));
}

void RawFileGate::EndScan() {
  previous_ = std::move(current_);
  current_.clear();
  not_found_before_ = std::move(not_found_now_);
  not_found_now_.clear();
  std::erase_if(deleting_,
                [this](const std::string& key) { return !deleting_seen_.contains(key); });
}

void RawFileGate::DeleteRequested(const std::string& image) {
  deleting_.insert(text::upper_case(image));
}

}  // namespace lumenpoll
