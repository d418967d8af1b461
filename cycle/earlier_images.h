#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/application.h"
#include "base/folder_lister.h"
#include "base/timer.h"
#include "cycle/cycle_intervals.h"
#include "cycle/raw_file_notices.h"

namespace lumenpoll {

// The processed images of the image's name that the import folder held when its raw file
// was taken: left there by an earlier exposure of that name (camera counters wrap, a delete
// may fail). Such an image is not the new exposure's until the raw script has replaced it
// (its stamp changed) or it has gone and come back; it must never be filed under the new
// one. If the raw script has not replaced it a minute after it started, the operator is
// told once; the cycle goes on waiting.
class EarlierImages {
 public:
  EarlierImages(Application& app, FolderLister& lister, RawFileNotices& notices,
                TimerBackend& timers);
  EarlierImages(const EarlierImages&) = delete;
  EarlierImages& operator=(const EarlierImages&) = delete;

  // A raw file was taken; these processed images of its name were listed with it.
  void Take(std::string raw_name, const std::vector<std::string>& processed_paths);
  // Right before the raw script starts: what could not be looked at when the raw file was
  // taken is looked at again, while it is surely still the earlier image.
  void RawScriptStarting();
  // The raw script has started: the minute until the notice begins.
  void RawScriptStarted();
  // Whether the processed image listed at path is the new exposure's.
  bool Counts(const std::string& path);
  // The image's own processed image has been found: the wait is over.
  void Found() {
    watch_.SetEnabled(false);
    due_ = false;
  }

  // A complete scan: an earlier image it did not list has gone for good.
  void BeginScan() { seen_.clear(); }
  void EndScan();

  void Stop() { watch_.SetEnabled(false); }

  static constexpr unsigned kNoticeAfterMs = cycle_intervals::kStuckNoticeMs;

 private:
  void watch_ended();
  void tell(const std::string& path);
  // Whether look finds the earlier image still unreplaced; the first stamp of one that could
  // not be stamped before becomes its own (a later change is then a replacement).
  bool unreplaced(std::optional<FileStamp>& stamp, const StampResult& look);

  FolderLister& lister_;
  RawFileNotices& notices_;
  std::string raw_name_;
  // By exact path; no stamp where the file could not be looked at (in use, unreadable).
  std::map<std::string, std::optional<FileStamp>> earlier_;
  std::set<std::string> seen_;
  bool due_ = false;  // a minute has passed since the raw script started
  bool told_ = false;
  Timer watch_;
};

}  // namespace lumenpoll
