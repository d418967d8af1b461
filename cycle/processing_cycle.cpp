#include "cycle/processing_cycle.h"

#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "base/operator_texts.h"
#include "base/text.h"
#include "cycle/cycle_intervals.h"
#include "cycle/script_names.h"
#include "cycle/station_paths.h"

namespace lumenpoll {

namespace {

using namespace cycle_intervals;

bool is_file_item(const TStShellItem& item) {
  return item.IsFileSystem() && !item.IsFolder();
}

// For an extension of a dot and three letters, the file's extension is that one exactly
// when its name ends in it; the path is made only for the items that match.
bool has_extension(const TStShellItem& item, std::string_view ext) {
  const std::string_view name = item.FileName();
  return name.size() >= ext.size() && text::same_name(name.substr(name.size() - ext.size()), ext);
}

void prepare(TFileRun& run, const char* script) {
  run.FileName = script;
  run.ShowCmd = TShowCmd::scHide;
}

void prepare(TStShellEnumerator& scanner, TStEnumItemEvent on_item) {
  scanner.RootFolder = kImportFolder;
  scanner.Options = {TStEnumOption::eoIncludeFolders, TStEnumOption::eoIncludeNonFolders};
  scanner.Sorted = true;
  scanner.SortDirection = TStSortDirection::sdAscending;
  scanner.OnEnumItem = std::move(on_item);
}

}  // namespace

BatchRun::BatchRun(Application& app, Shell& shell)
    : rawrun(app, shell), dcmrun(app, shell), delrun(app, shell), deldcm(app, shell) {
  prepare(rawrun, kRawScript);
  prepare(dcmrun, kDcmScript);
  prepare(delrun, kDelScript);
  prepare(deldcm, kDelDcmScript);
}

ProcessingCycle::ProcessingCycle(Edition edition, CycleHost& host, Application& app,
                                 FolderLister& lister, Shell& shell, TimerBackend& timers)
    : edition_(edition),
      host_(host),
      app_(app),
      chkraw_(lister),
      chkdcm_(lister),
      notices_(app, timers),
      raw_gate_(app, lister, notices_, timers),
      earlier_(app, lister, notices_, timers),
      batchrun_(app, shell),
      rawtimer_(make_timer(timers, kRawScanMs, &ProcessingCycle::rawtimerTimer)),
      ijtimer_(make_timer(timers, kRawScriptMs, &ProcessingCycle::ijtimerTimer)),
      donetimer_(make_timer(timers, kProcessedScanMs, &ProcessingCycle::donetimerTimer)),
      dcmtimer_(make_timer(timers, kDicomScriptMs, &ProcessingCycle::dcmtimerTimer)),
      deltimer_(make_timer(timers, kDeleteScriptMs, &ProcessingCycle::deltimerTimer)),
      deldcmtimer_(make_timer(timers, kStartUpMs, &ProcessingCycle::deldcmtimerTimer)) {
  prepare(chkraw_, [this](TStShellEnumerator& sender, const TStShellItem& item, bool& accept) {
    chkrawEnumItem(sender, item, accept);
  });
  prepare(chkdcm_, [this](TStShellEnumerator& sender, const TStShellItem& item, bool& accept) {
    chkdcmEnumItem(sender, item, accept);
  });
  deldcmtimer_.SetEnabled(true);
}

Timer ProcessingCycle::make_timer(TimerBackend& timers, unsigned interval_ms,
                                  void (ProcessingCycle::*handler)()) {
  return Timer(timers, interval_ms, [this, handler] {
    if (!stopped_) app_.guarded([this, handler] { (this->*handler)(); });
  });
}

const Timer& ProcessingCycle::timer(const std::string& name) const {
  if (name == "deldcmtimer") return deldcmtimer_;
  if (name == "rawtimer") return rawtimer_;
  if (name == "ijtimer") return ijtimer_;
  if (name == "donetimer") return donetimer_;
  if (name == "dcmtimer") return dcmtimer_;
  if (name == "deltimer") return deltimer_;
  if (name == "noticetimer") return notices_.noticetimer();
  throw std::out_of_range("no timer named " + name);
}

void ProcessingCycle::Stop() {
  stopped_ = true;
  for (Timer* t : {&deldcmtimer_, &rawtimer_, &ijtimer_, &donetimer_, &dcmtimer_, &deltimer_})
    t->SetEnabled(false);
  notices_.Stop();
  raw_gate_.Stop();
  earlier_.Stop();
}

// Before the start-up script nothing has been taken; while waiting for a raw file with no
// delete at work, the image in progress is done.
void ProcessingCycle::HandOver(std::function<void()> done) {
  handed_over_ = std::move(done);
  if (deldcmtimer_.Enabled() || (rawtimer_.Enabled() && !raw_gate_.DeletesPending()))
    finish_hand_over();
}

void ProcessingCycle::finish_hand_over() {
  Stop();
  std::exchange(handed_over_, nullptr)();
}

bool ProcessingCycle::InHandler() const {
  for (const Timer* t : {&deldcmtimer_, &rawtimer_, &ijtimer_, &donetimer_, &dcmtimer_, &deltimer_})
    if (t->Running()) return true;
  return notices_.noticetimer().Running();
}

void ProcessingCycle::set_stage(int stage) {
  host_.SetStatus(operator_texts::processing(cur_image_, stage));
}

// A script's failed start opens a box, and the window may close or the station go to another
// copy while it is open: a handler that resumes in a stopped cycle leaves everything alone.
void ProcessingCycle::deldcmtimerTimer() {
  batchrun_.deldcm.Run();
  if (stopped_) return;
  deldcmtimer_.SetEnabled(false);
  rawtimer_.SetEnabled(true);
}

void ProcessingCycle::rawtimerTimer() {
  raw_gate_.BeginScan();
  taken_ = false;
  try {
    chkraw_.Enumerate();
  } catch (...) {
    // A scan that an error ended has not seen what else the folder holds.
    give_back_take();
    throw;
  }
  // A folder read only in part, or not at all, says nothing of what has gone from it.
  if (!chkraw_.LastScanComplete()) return;
  raw_gate_.EndScan();
  // The next copy would take a raw file whose delete still works as a new image.
  if (handed_over_) {
    if (!raw_gate_.DeletesPending()) finish_hand_over();
    return;
  }
  if (taken_) earlier_.Take(std::string(text::file_name(cur_raw_.path)), processed_images_listed());
}

// Kept on purpose: every raw file of a scan is taken in turn, and the last one listed becomes
// the image; the others wait for later scans. Only a whole listing takes one: a part may
// leave out an earlier exposure's processed image.
void ProcessingCycle::chkrawEnumItem(TStShellEnumerator& Sender, const TStShellItem& ShellItem,
                                     bool&) {
  if (!is_file_item(ShellItem) || !has_extension(ShellItem, ".NEF")) return;
  std::optional<RawFile> raw = raw_gate_.Admit(ShellItem.Path());
  if (!raw || !Sender.ListingWhole() || handed_over_) return;
  cur_raw_ = std::move(*raw);
  cur_image_ = image_name(cur_raw_.path);
  taken_ = true;
  set_stage(1);
  batchrun_.rawrun.Parameters = cur_image_ + " " + host_.MacroArgument();
  ijtimer_.SetEnabled(true);
  rawtimer_.SetEnabled(false);
}

void ProcessingCycle::give_back_take() {
  if (!taken_) return;
  taken_ = false;
  ijtimer_.SetEnabled(false);
  rawtimer_.SetEnabled(true);
}

// The processed images of the image in progress that the raw scan listed with its raw file.
std::vector<std::string> ProcessingCycle::processed_images_listed() const {
  std::vector<std::string> paths;
  for (const TStShellItem& item : chkraw_.Items())
    if (is_processed_image(item)) paths.push_back(item.Path());
  return paths;
}

// A one-shot step that starts a script: on to the next step, the stage shown, once it has
// started; after a failed start back to the step that leads here again.
bool ProcessingCycle::start_script(Timer& own, TFileRun& run, Timer& retry, Timer& next,
                                   int stage) {
  own.SetEnabled(false);
  const bool started = run.Run();
  if (stopped_) return false;
  if (!started) {
    retry.SetEnabled(true);
    return false;
  }
  next.SetEnabled(true);
  set_stage(stage);
  return true;
}

// The processed image is waited for only once the raw script runs; a raw file whose
// script could not start is taken up again by the next scan.
void ProcessingCycle::ijtimerTimer() {
  earlier_.RawScriptStarting();
  if (start_script(ijtimer_, batchrun_.rawrun, rawtimer_, donetimer_, 2))
    earlier_.RawScriptStarted();
}

void ProcessingCycle::donetimerTimer() {
  earlier_.BeginScan();
  chkdcm_.Enumerate();
  if (chkdcm_.LastScanComplete()) earlier_.EndScan();
}

bool ProcessingCycle::is_processed_image(const TStShellItem& item) const {
  return is_file_item(item) && has_extension(item, processed_extension(edition_)) &&
         text::same_name(image_name(item.FileName()), cur_image_);
}

// An earlier exposure's processed image left under this name is waited on like one that has
// not come yet.
void ProcessingCycle::chkdcmEnumItem(TStShellEnumerator&, const TStShellItem& ShellItem, bool&) {
  if (!is_processed_image(ShellItem) || !earlier_.Counts(ShellItem.Path())) return;
  earlier_.Found();
  donetimer_.SetEnabled(false);
  set_stage(3);
  batchrun_.dcmrun.Parameters = cur_image_;
  dcmtimer_.SetEnabled(true);
}

// Nothing is deleted unless the DICOM script started: after a failed start the processed
// image is looked for again (it is there at once) and the script retried after its delay.
void ProcessingCycle::dcmtimerTimer() {
  start_script(dcmtimer_, batchrun_.dcmrun, donetimer_, deltimer_, 4);
}

void ProcessingCycle::deltimerTimer() {
  deltimer_.SetEnabled(false);
  batchrun_.delrun.Parameters = cur_image_;
  // While the raw file is there as it was taken, it is not taken up again: a slow delete
  // must not process the image twice, nor one that could not start for ever.
  raw_gate_.DeleteRequested(cur_raw_);
  batchrun_.delrun.Run();
  if (stopped_) return;
  rawtimer_.SetEnabled(true);
  // A failed close (the selection could not be saved) ends the handler here.
  if (host_.AutoClose()) host_.Close();
  host_.SetStatus(operator_texts::kWaiting);
  host_.SetLastOperation(operator_texts::processed(cur_image_));
}

}  // namespace lumenpoll
