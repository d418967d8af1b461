#include "cycle/processing_cycle.h"

#include <stdexcept>
#include <string_view>
#include <utility>

#include "base/text.h"
#include "cycle/script_names.h"
#include "cycle/station_paths.h"

namespace lumenpoll {

namespace {

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
      raw_gate_(lister, notices_),
      batchrun_(app, shell),
      rawtimer_(make_timer(timers, 1000, &ProcessingCycle::rawtimerTimer)),
      ijtimer_(make_timer(timers, 1000, &ProcessingCycle::ijtimerTimer)),
      donetimer_(make_timer(timers, 1000, &ProcessingCycle::donetimerTimer)),
      dcmtimer_(make_timer(timers, 3000, &ProcessingCycle::dcmtimerTimer)),
      deltimer_(make_timer(timers, 3000, &ProcessingCycle::deltimerTimer)),
      deldcmtimer_(make_timer(timers, 1000, &ProcessingCycle::deldcmtimerTimer)) {
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
}

void ProcessingCycle::HandOver(std::function<void()> done) {
  handed_over_ = std::move(done);
  if (deldcmtimer_.Enabled() || rawtimer_.Enabled()) finish_hand_over();
}

// Where the cycle would take a raw file next, the image in progress is done.
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
  host_.SetStatus("Processing " + cur_image_ + ".nef " + std::to_string(stage));
}

void ProcessingCycle::deldcmtimerTimer() {
  batchrun_.deldcm.Run();
  deldcmtimer_.SetEnabled(false);
  rawtimer_.SetEnabled(true);
}

void ProcessingCycle::rawtimerTimer() {
  if (handed_over_) return finish_hand_over();
  raw_gate_.BeginScan();
  chkraw_.Enumerate();
  // A folder read only in part, or not at all, says nothing of what has gone from it.
  if (chkraw_.LastScanComplete()) raw_gate_.EndScan();
}

// Every raw file of a scan is taken in turn; the last one listed becomes the image.
void ProcessingCycle::chkrawEnumItem(TStShellEnumerator&, const TStShellItem& ShellItem, bool&) {
  if (!is_file_item(ShellItem) || !has_extension(ShellItem, ".NEF")) return;
  const std::string path = ShellItem.Path();
  if (!raw_gate_.Admits(path)) return;
  cur_image_ = image_name(path);
  set_stage(1);
  batchrun_.rawrun.Parameters = cur_image_ + " " + host_.MacroArgument();
  ijtimer_.SetEnabled(true);
  rawtimer_.SetEnabled(false);
}

// A one-shot step that starts a script: on to the next step, the stage shown, once it has
// started; after a failed start back to the step that leads here again.
void ProcessingCycle::start_script(Timer& own, TFileRun& run, Timer& retry, Timer& next,
                                   int stage) {
  own.SetEnabled(false);
  if (!run.Run()) {
    retry.SetEnabled(true);
    return;
  }
  next.SetEnabled(true);
  set_stage(stage);
}

// The processed image is waited for only once the raw script runs; a raw file whose
// script could not start is taken up again by the next scan.
void ProcessingCycle::ijtimerTimer() {
  start_script(ijtimer_, batchrun_.rawrun, rawtimer_, donetimer_, 2);
}

void ProcessingCycle::donetimerTimer() {
  chkdcm_.Enumerate();
}

void ProcessingCycle::chkdcmEnumItem(TStShellEnumerator&, const TStShellItem& ShellItem, bool&) {
  const char* processed_ext = edition_ == Edition::Lite ? ".DCM" : ".TIF";
  if (!is_file_item(ShellItem) || !has_extension(ShellItem, processed_ext)) return;
  if (!text::same_name(image_name(ShellItem.FileName()), cur_image_)) return;
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
  // Until a scan no longer sees the raw file, it is not taken up again: a slow delete
  // must not process the image twice, nor one that could not start for ever.
  raw_gate_.DeleteRequested(cur_image_);
  batchrun_.delrun.Run();
  rawtimer_.SetEnabled(true);
  // A failed close (the selection could not be saved) ends the handler here.
  if (host_.AutoClose()) host_.Close();
  host_.SetStatus("Waiting for Image File");
  host_.SetLastOperation("Processed " + cur_image_ + ".dcm");
}

}  // namespace lumenpoll
