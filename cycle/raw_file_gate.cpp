#include "cycle/raw_file_gate.h"

#include "base/operator_texts.h"
#include "base/system_message.h"
#include "base/text.h"
#include "cycle/script_names.h"

namespace lumenpoll {

void RawFileGate::BeginScan() {
  current_.clear();
  not_found_now_.clear();
  deleting_.BeginScan();
}

// Only raw files cost a look at the file itself, not every entry of the folder.
std::optional<RawFile> RawFileGate::Admit(const std::string& path) {
  const std::string name(text::file_name(path));
  if (const std::string refusal = name_refusal(image_name(path)); !refusal.empty()) {
    notices_.Report("name " + name, operator_texts::cannot_process(name, refusal));
    return std::nullopt;
  }
  const StampResult look = lister_.stamp(path);
  // Its stamp is kept all the same: a new exposure at its path is taken once it is written.
  if (look.state == StampResult::State::Stamped) current_[path] = look.stamp;
  if (deleting_.Holds(path, look) || !written_and_readable(path, name, look)) return std::nullopt;
  return RawFile{path, look.stamp};
}

bool RawFileGate::written_and_readable(const std::string& path, const std::string& name,
                                       const StampResult& look) {
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
  const auto before = previous_.find(path);
  return before != previous_.end() && before->second == look.stamp;
}

void RawFileGate::report_unreadable(const std::string& name, const std::string& message) {
  notices_.Report("read " + name, operator_texts::cannot_read(name, system_message_text(message)));
}

void RawFileGate::EndScan() {
  previous_ = std::move(current_);
  current_.clear();
  not_found_before_ = std::move(not_found_now_);
  not_found_now_.clear();
  deleting_.EndScan();
}

}  // namespace lumenpoll
