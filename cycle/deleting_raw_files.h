#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "base/application.h"
#include "base/folder_lister.h"
#include "base/timer.h"
#include "cycle/cycle_intervals.h"
#include "cycle/raw_file.h"
#include "cycle/raw_file_notices.h"

namespace lumenpoll {

// The raw files whose delete has been asked for: each is held back from the cycle while it
// is still there as it was, so that a slow delete never processes an exposure twice. A file
// at its path with another stamp is a new exposure of a name that came back, and the hold
// ends; so it does once the path is gone. One still there unchanged a minute after its
// delete started (the delete could not start, failed, or a viewer holds the file) is told
// to the operator once, and stays held.
class DeletingRawFiles {
 public:
  DeletingRawFiles(Application& app, FolderLister& lister, RawFileNotices& notices,
                   TimerBackend& timers)
      : app_(app), lister_(lister), notices_(notices), timers_(timers) {}
  DeletingRawFiles(const DeletingRawFiles&) = delete;
  DeletingRawFiles& operator=(const DeletingRawFiles&) = delete;

  // The delete script is being started for this raw file (whether or not it starts).
  void Add(const RawFile& raw);
  // Whether the file that look found at path is a raw file still held; a look that finds
  // another file there, or none, ends its hold.
  bool Holds(const std::string& path, const StampResult& look);

  bool Empty() const { return held_.empty(); }

  // A complete scan: holds whose path it did not list end.
  void BeginScan() { seen_.clear(); }
  void EndScan();

  // Nothing more is told: the window has closed. The watches are stopped, not destroyed, as
  // this may run inside one of their ticks.
  void Stop();

  // How long after its delete started a raw file still there is told.
  static constexpr unsigned kNoticeAfterMs = cycle_intervals::kStuckNoticeMs;

 private:
  struct Hold {
    FileStamp stamp;
    std::unique_ptr<Timer> watch;
    bool due = false;  // its minute is up
    bool told = false;
  };
  static bool still_there(const Hold& hold, const StampResult& look);
  void watch_ended(const std::string& path);
  void tell(const std::string& path, Hold& hold);

  Application& app_;
  FolderLister& lister_;
  RawFileNotices& notices_;
  TimerBackend& timers_;
  std::map<std::string, Hold> held_;  // by exact path: case twins are two files
  std::set<std::string> seen_;
  bool stopped_ = false;
};

}  // namespace lumenpoll
