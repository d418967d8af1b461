#include "cycle/raw_file_gate.h"

#include "base/text.h"
#include "cycle/script_names.h"

namespace lumenpoll {

void RawFileGate::BeginScan() {
  current_.clear();
  deleting_seen_.clear();
  newly_refused_.clear();
}

bool RawFileGate::Admits(const std::string& path) {
  const std::string base = image_name(path);
  if (!scripts_can_take(base)) {
    const std::string name(text::file_name(path));
    if (!refused_.contains(name)) newly_refused_.push_back(name);
    return false;
  }
  const std::string key = text::upper_case(base);
  if (deleting_.contains(key)) {
    deleting_seen_.insert(key);
    return false;
  }
  // Only raw files cost a look at the file itself, not every entry of the folder.
  const auto stamp = lister_.stamp(path);
  if (!stamp) return false;
  current_[path] = *stamp;
  const auto before = previous_.find(path);
  return before != previous_.end() && before->second == *stamp;
}

// Names count as reported only once a scan has come to its end, where they are reported.
std::vector<std::string> RawFileGate::EndScan() {
  refused_.insert(newly_refused_.begin(), newly_refused_.end());
  previous_ = std::move(current_);
  current_.clear();
  std::erase_if(deleting_,
                [this](const std::string& key) { return !deleting_seen_.contains(key); });
  return std::move(newly_refused_);
}

void RawFileGate::DeleteRequested(const std::string& image) {
  deleting_.insert(text::upper_case(image));
}

}  // namespace lumenpoll
