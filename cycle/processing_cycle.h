#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/application.h"
#include "base/edition.h"
#include "base/timer.h"
#include "cycle/earlier_images.h"
#include "cycle/file_run.h"
#include "cycle/raw_file.h"
#include "cycle/raw_file_gate.h"
#include "cycle/raw_file_notices.h"
#include "cycle/shell_enumerator.h"

namespace lumenpoll {

// What the cycle needs of the window that owns it.
class CycleHost {
 public:
  virtual ~CycleHost() = default;
  // The macro argument of the selected species and region; empty with no species.
  virtual std::string MacroArgument() const = 0;
  virtual void SetStatus(const std::string& text) = 0;         // la_fname
  virtual void SetLastOperation(const std::string& text) = 0;  // la_last
  virtual bool AutoClose() const = 0;
  // Saves the selection and closes the window; throws when the save fails.
  virtual void Close() = 0;
};

// The script actions of the cycle.
struct BatchRun {
  BatchRun(Application& app, Shell& shell);
  TFileRun rawrun;
  TFileRun dcmrun;
  TFileRun delrun;
  TFileRun deldcm;
};

// The timed cycle that takes each raw file of the import folder through the four
// scripts. Exactly one of its timers is enabled at a time; deldcmtimer from creation.
class ProcessingCycle {
 public:
  ProcessingCycle(Edition edition, CycleHost& host, Application& app, FolderLister& lister,
                  Shell& shell, TimerBackend& timers);
  ProcessingCycle(const ProcessingCycle&) = delete;
  ProcessingCycle& operator=(const ProcessingCycle&) = delete;

  const std::string& cur_image() const { return cur_image_; }

  // The handlers, each run inside the application's error handler by its timer.
  void deldcmtimerTimer();
  void rawtimerTimer();
  void ijtimerTimer();
  void donetimerTimer();
  void dcmtimerTimer();
  void deltimerTimer();
  void chkrawEnumItem(TStShellEnumerator& Sender, const TStShellItem& ShellItem, bool& Accept);
  void chkdcmEnumItem(TStShellEnumerator& Sender, const TStShellItem& ShellItem, bool& Accept);

  // Disables every timer for good: the window has closed and nothing more may start or be
  // shown, not even by a handler that resumes after its error box and enables a timer.
  void Stop();

  // The station goes to a copy of the program in another session: no raw file is taken any
  // more, and once the image in progress has started its delete script and that delete has
  // removed its raw file (at once when none is in progress) the cycle stops and calls done.
  void HandOver(std::function<void()> done);
  // True while one of the cycle's handlers runs, an error box of its own open.
  bool InHandler() const;

  const Timer& timer(const std::string& name) const;

 private:
  Timer make_timer(TimerBackend& timers, unsigned interval_ms, void (ProcessingCycle::*handler)());
  void set_stage(int stage);
  bool start_script(Timer& own, TFileRun& run, Timer& retry, Timer& next, int stage);
  bool is_processed_image(const TStShellItem& item) const;
  std::vector<std::string> processed_images_listed() const;
  void give_back_take();
  void finish_hand_over();

  Edition edition_;
  CycleHost& host_;
  Application& app_;
  std::string cur_image_;
  RawFile cur_raw_;     // the raw file of the image in progress, as it was taken
  bool taken_ = false;  // the scan under way has taken a raw file
  bool stopped_ = false;
  std::function<void()> handed_over_;  // set while the station is being handed over
  TStShellEnumerator chkraw_;
  TStShellEnumerator chkdcm_;
  RawFileNotices notices_;
  RawFileGate raw_gate_;
  EarlierImages earlier_;
  BatchRun batchrun_;
  Timer rawtimer_;
  Timer ijtimer_;
  Timer donetimer_;
  Timer dcmtimer_;
  Timer deltimer_;
  Timer deldcmtimer_;  // last: it starts counting once everything else exists
};

}  // namespace lumenpoll
