#include "cycle/processing_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "cycle/station_paths.h"
#include "fakes/fake_error_box.h"
#include "fakes/fake_folder_lister.h"
#include "fakes/fake_shell.h"
#include "fakes/virtual_clock.h"

namespace lumenpoll {
namespace {

using Log = std::vector<std::string>;

const std::vector<std::string> kTimerNames = {"deldcmtimer", "rawtimer", "ijtimer",
                                              "donetimer",   "dcmtimer", "deltimer"};

// The window as the cycle sees it, stamping what it shows with the virtual time.
class FakeHost : public CycleHost {
 public:
  struct Status {
    std::int64_t at;
    std::string text;
  };
  FakeHost(const fakes::VirtualClock& clock, Log& log) : clock_(clock), log_(log) {}

  std::string macro_argument = "thorax_lat";
  bool auto_close = false;
  bool close_fails = false;
  std::vector<Status> statuses;
  std::string last;

  std::string MacroArgument() const override { return macro_argument; }
  void SetStatus(const std::string& text) override {
    statuses.push_back({clock_.now_ms, text});
    log_.push_back("status " + text);
  }
  void SetLastOperation(const std::string& text) override {
    last = text;
    log_.push_back("last " + text);
  }
  bool AutoClose() const override { return auto_close; }
  void Close() override {
    log_.push_back("close");
    if (close_fails) throw EInOutError(5);
  }

  std::vector<std::string> texts_from(std::int64_t at) const {
    std::vector<std::string> t;
    for (const auto& s : statuses)
      if (s.at >= at) t.push_back(s.text);
    return t;
  }

 private:
  const fakes::VirtualClock& clock_;
  Log& log_;
};

// The import folder, with the time of every listing.
class StampedLister : public fakes::FakeFolderLister {
 public:
  explicit StampedLister(const fakes::VirtualClock& clock) : clock_(clock) {}
  std::vector<std::int64_t> listed_at;
  const FolderListing& list(const std::string& folder) override {
    listed_at.push_back(clock_.now_ms);
    return FakeFolderLister::list(folder);
  }

 private:
  const fakes::VirtualClock& clock_;
};

// The shell, with the effect each script has on the import folder once it starts.
class ScriptedShell : public fakes::FakeShell {
 public:
  explicit ScriptedShell(Log& log) : log_(log) {}
  std::map<std::string, std::function<void(const std::string& image)>> effects;

  ShellStart Execute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int show_cmd) override {
    log_.push_back("run " + file);
    const auto result = FakeShell::Execute(owner, verb, file, parameters, directory, show_cmd);
    auto effect = effects.find(file);
    if (result.started() && effect != effects.end())
      effect->second(parameters.substr(0, parameters.find(' ')));
    return result;
  }

 private:
  Log& log_;
};

class ProcessingCycleTest : public ::testing::Test {
 protected:
  ProcessingCycleTest() {
    shell.clock_ms = &clock.now_ms;
    lister.folders[kImportFolder] = {};
  }

  void start(Edition edition = Edition::Full) {
    cycle = std::make_unique<ProcessingCycle>(edition, host, app, lister, shell, clock);
  }

  // ij_raw writes the processed image, ij_del removes the image's files.
  void script_effects(const std::string& processed_ext = ".tif") {
    shell.effects[kRawScript] = [this, processed_ext](const std::string& image) {
      lister.add_file(kImportFolder, image + processed_ext);
    };
    shell.effects[kDelScript] = [this](const std::string& image) {
      std::erase_if(lister.folders[kImportFolder].entries, [&](const FolderEntry& e) {
        return text::upper_case(e.name.substr(0, image.size() + 1)) ==
               text::upper_case(image + ".");
      });
    };
  }

  std::vector<std::string> enabled_timers() const {
    std::vector<std::string> names;
    for (const auto& name : kTimerNames)
      if (cycle->timer(name).Enabled()) names.push_back(name);
    return names;
  }

  std::vector<std::string> runs_of(const std::string& script) const {
    std::vector<std::string> params;
    for (const auto& call : shell.calls)
      if (call.file == script) params.push_back(call.parameters);
    return params;
  }

  // The raw script's runs once a raw file dropped now has been taken by the next scans.
  std::vector<std::string> raw_runs_after_dropping(const std::string& name) {
    lister.add_file(kImportFolder, name);
    clock.advance(3000);
    return runs_of(kRawScript);
  }

  // shot01's delete is still working while the scans of two seconds see the folder as spoil
  // leaves it; once the folder reads whole again, shot01 is not taken up again.
  void expect_delete_outlasts(const std::function<void(FolderListing&)>& spoil) {
    script_effects();
    shell.effects.erase(kDelScript);
    lister.add_file(kImportFolder, "shot01.nef");
    start();
    clock.advance(12000);
    ASSERT_EQ(runs_of(kDelScript).size(), 1u);
    FolderListing& folder = lister.folders[kImportFolder];
    const FolderListing whole = folder;
    spoil(folder);
    clock.advance(2000);
    folder = whole;
    clock.advance(5000);
    EXPECT_EQ(runs_of(kRawScript).size(), 1u);
  }

  std::int64_t first_run_at(const std::string& script, std::int64_t from = 0) const {
    for (const auto& call : shell.calls)
      if (call.file == script && call.at_ms >= from) return call.at_ms;
    return -1;
  }

  fakes::VirtualClock clock;
  fakes::FakeErrorBox box;
  Application app{"Orvend Image Processing", box};
  Log log;
  StampedLister lister{clock};
  ScriptedShell shell{log};
  FakeHost host{clock, log};
  std::unique_ptr<ProcessingCycle> cycle;  // last: its timers go before the clock
};

TEST_F(ProcessingCycleTest, TakesOneImageThroughTheFourScriptsOnTime) {
  script_effects();
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(13000);

  EXPECT_EQ(cycle->cur_image(), "shot01");
  // The raw file is taken by the second scan that sees it unchanged.
  const std::vector<std::tuple<std::int64_t, std::string, std::string>> expected_runs = {
      {1000, kDelDcmScript, ""},
      {4000, kRawScript, "shot01 thorax_lat"},
      {8000, kDcmScript, "shot01"},
      {11000, kDelScript, "shot01"},
  };
  ASSERT_EQ(shell.calls.size(), expected_runs.size());
  for (std::size_t i = 0; i < expected_runs.size(); ++i) {
    const auto& call = shell.calls[i];
    EXPECT_EQ(call.at_ms, std::get<0>(expected_runs[i]));
    EXPECT_EQ(call.file, std::get<1>(expected_runs[i]));
    EXPECT_EQ(call.parameters, std::get<2>(expected_runs[i]));
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show_cmd, 0);
    EXPECT_EQ(call.owner, 0u);
  }

  const std::vector<std::pair<std::int64_t, std::string>> expected_status = {
      {3000, "Processing shot01.nef 1"}, {4000, "Processing shot01.nef 2"},
      {5000, "Processing shot01.nef 3"},  // the next donetimer tick after ij_raw wrote it
      {8000, "Processing shot01.nef 4"}, {11000, "Waiting for Image File"},
  };
  ASSERT_EQ(host.statuses.size(), expected_status.size());
  for (std::size_t i = 0; i < expected_status.size(); ++i) {
    EXPECT_EQ(host.statuses[i].at, expected_status[i].first);
    EXPECT_EQ(host.statuses[i].text, expected_status[i].second);
  }
  EXPECT_EQ(host.last, "Processed shot01.dcm");

  const auto next_scan = std::find_if(lister.listed_at.begin(), lister.listed_at.end(),
                                      [](std::int64_t t) { return t > 11000; });
  ASSERT_NE(next_scan, lister.listed_at.end());
  EXPECT_EQ(*next_scan, 12000);
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(ProcessingCycleTest, ExactlyOneTimerIsEnabledInEveryState) {
  script_effects();
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  const std::vector<std::pair<std::int64_t, std::string>> states = {
      {0, "deldcmtimer"},  {1000, "rawtimer"}, {1000, "rawtimer"}, {1000, "ijtimer"},
      {1000, "donetimer"}, {1000, "dcmtimer"}, {3000, "deltimer"}, {3000, "rawtimer"},
  };
  for (const auto& [step, timer] : states) {
    clock.advance(step);
    EXPECT_EQ(enabled_timers(), std::vector<std::string>{timer}) << "at " << clock.now_ms;
  }
  EXPECT_THROW(cycle->timer("no_such_timer"), std::out_of_range);
}

struct ProcessedCase {
  Edition edition;
  std::string name;
  bool ends_the_wait;
};

void PrintTo(const ProcessedCase& c, std::ostream* os) {
  *os << (c.edition == Edition::Lite ? "lite " : "full ") << c.name;
}

class ProcessedImageTest : public ProcessingCycleTest,
                           public ::testing::WithParamInterface<ProcessedCase> {};

TEST_P(ProcessedImageTest, OnlyTheProcessedFileOfTheCurrentImageEndsTheWait) {
  const ProcessedCase& c = GetParam();
  lister.add_file(kImportFolder, "shot01.nef");
  start(c.edition);
  clock.advance(4000);
  ASSERT_EQ(enabled_timers(), std::vector<std::string>{"donetimer"});

  lister.add_file(kImportFolder, c.name);
  clock.advance(1000);

  EXPECT_EQ(cycle->timer("dcmtimer").Enabled(), c.ends_the_wait);
  EXPECT_EQ(cycle->timer("donetimer").Enabled(), !c.ends_the_wait);
  EXPECT_EQ(host.statuses.back().text,
            c.ends_the_wait ? "Processing shot01.nef 3" : "Processing shot01.nef 2");
  if (c.ends_the_wait) {
    clock.advance(3000);
    EXPECT_EQ(runs_of(kDcmScript), std::vector<std::string>{"shot01"});
  }
}

// Each edition's own extension in any case ends the wait; nothing else does.
std::vector<ProcessedCase> processed_cases() {
  std::vector<ProcessedCase> cases;
  const auto add = [&](Edition edition, std::initializer_list<const char*> names, bool ends) {
    for (const char* name : names) cases.push_back(ProcessedCase{edition, name, ends});
  };
  add(Edition::Full, {"shot01.tif", "SHOT01.TIF", "Shot01.Tif"}, true);
  add(Edition::Full,
      {"shot01b.tif", "shot0.tif", "shot01.dcm", "SHOT01.DCM", "shot01.tiff", ".TIF"}, false);
  add(Edition::Lite, {"SHOT01.DCM", "shot01.dcm"}, true);
  add(Edition::Lite, {"shot01.tif", "SHOT01.TIF", "shot01b.dcm"}, false);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Editions, ProcessedImageTest, ::testing::ValuesIn(processed_cases()));

TEST_F(ProcessingCycleTest, ProcessedImageMustBeAFile) {
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(4000);
  lister.add_folder(kImportFolder, "shot01.tif");
  clock.advance(5000);
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"donetimer"});
}

TEST_F(ProcessingCycleTest, OnlyRawFilesStartAnImage) {
  lister.add_folder(kImportFolder, "x.NEF");
  lister.folders[kImportFolder].entries.push_back({"y.NEF", true, false, true});  // hidden
  for (const char* name : {"", "a", "ab", "nef", ".NE", "z.NEFF", "shot.tif"})
    lister.add_file(kImportFolder, name);
  start();
  clock.advance(5000);

  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});
  EXPECT_EQ(cycle->cur_image(), "");
  EXPECT_TRUE(host.statuses.empty());
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(ProcessingCycleTest, WithTwoRawFilesTheLastListedGoesFirstAndTheOtherFollows) {
  script_effects();
  lister.add_file(kImportFolder, "a.nef");
  lister.add_file(kImportFolder, "b.nef");
  start();
  clock.advance(3000);
  EXPECT_EQ(host.texts_from(0),
            (std::vector<std::string>{"Processing a.nef 1", "Processing b.nef 1"}));
  EXPECT_EQ(cycle->cur_image(), "b");

  clock.advance(11000);
  EXPECT_EQ(runs_of(kRawScript), (std::vector<std::string>{"b thorax_lat", "a thorax_lat"}));
  // a was seen unchanged by the scans before, so the first scan after b's delete takes it.
  EXPECT_EQ(first_run_at(kRawScript, 5000), 13000);
  EXPECT_EQ(host.last, "Processed b.dcm");
}

TEST_F(ProcessingCycleTest, AutoCloseClosesAfterTheDeleteScriptAndBeforeTheStatusLines) {
  script_effects();
  host.auto_close = true;
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(11000);

  const Log tail(log.end() - 4, log.end());
  EXPECT_EQ(tail, (Log{"run " + std::string(kDelScript), "close", "status Waiting for Image File",
                       "last Processed shot01.dcm"}));
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});
}

TEST_F(ProcessingCycleTest, FailedAutoCloseIsShownAndTheCycleGoesOn) {
  script_effects();
  host.auto_close = true;
  host.close_fails = true;
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(11000);

  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].caption, "Orvend Image Processing");
  EXPECT_EQ(box.shown[0].text, "File access denied.");
  EXPECT_EQ(host.statuses.back().text, "Processing shot01.nef 4");
  EXPECT_EQ(host.last, "");
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});

  EXPECT_EQ(raw_runs_after_dropping("shot02.nef"),
            (std::vector<std::string>{"shot01 thorax_lat", "shot02 thorax_lat"}));
}

TEST_F(ProcessingCycleTest, MissingImportFolderShowsOneBoxAtATimeAndScanningResumes) {
  start();
  clock.advance(1000);
  const FolderListing folder = lister.folders[kImportFolder];
  lister.folders.erase(kImportFolder);
  int boxes = 0;
  box.while_open = [&] {
    if (boxes++ == 0) clock.advance(10000);  // the operator leaves the first box open
  };

  clock.advance(1000);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, "Invalid folder.");
  EXPECT_EQ(box.max_open, 1);
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});

  lister.folders[kImportFolder] = folder;
  lister.add_file(kImportFolder, "shot01.nef");
  clock.advance(2000);
  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(host.texts_from(0), std::vector<std::string>{"Processing shot01.nef 1"});
}

TEST_F(ProcessingCycleTest, FolderGoneWhileWaitingForTheProcessedImageResumesWhereItWas) {
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(4000);
  FolderListing folder = lister.folders[kImportFolder];
  lister.folders.erase(kImportFolder);
  clock.advance(3000);
  EXPECT_EQ(box.texts(), (std::vector<std::string>(3, "Invalid folder.")));
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"donetimer"});

  folder.entries.push_back({"shot01.tif", true, false, false});
  lister.folders[kImportFolder] = folder;
  clock.advance(1000);
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"dcmtimer"});
}

TEST_F(ProcessingCycleTest, RawScriptThatCannotStartIsTriedAgainUntilItIsBack) {
  shell.failures[kRawScript] = 2;
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(8000);

  // One box per try, a try every two seconds, never waiting for an image that cannot come.
  EXPECT_EQ(box.texts(), std::vector<std::string>(3, "The system cannot find the file specified."));
  EXPECT_EQ(host.texts_from(0), std::vector<std::string>(3, "Processing shot01.nef 1"));
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});

  shell.failures.clear();
  script_effects();
  clock.advance(10000);
  EXPECT_EQ(runs_of(kDcmScript), std::vector<std::string>{"shot01"});
  EXPECT_EQ(runs_of(kDelScript), std::vector<std::string>{"shot01"});
  EXPECT_EQ(box.shown.size(), 3u);
}

TEST_F(ProcessingCycleTest, DicomScriptThatCannotStartDeletesNothingAndIsRetried) {
  script_effects();
  shell.failures[kDcmScript] = 2;
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(16000);

  // Tries at 8, 12 and 16 s: the processed image is found again a second after each.
  EXPECT_EQ(box.texts(), std::vector<std::string>(3, "The system cannot find the file specified."));
  EXPECT_TRUE(runs_of(kDelScript).empty());
  EXPECT_EQ(host.statuses.back().text, "Processing shot01.nef 3");
  EXPECT_EQ(lister.folders[kImportFolder].entries.size(), 2u);

  shell.failures.clear();
  clock.advance(8000);
  EXPECT_EQ(runs_of(kDcmScript).size(), 4u);
  EXPECT_EQ(runs_of(kDelScript), std::vector<std::string>{"shot01"});
  EXPECT_EQ(runs_of(kRawScript).size(), 1u);
  EXPECT_EQ(host.last, "Processed shot01.dcm");
}

TEST_F(ProcessingCycleTest, RawFileIsNotTakenUpAgainWhileItsDeleteIsWorking) {
  script_effects();
  const auto remove_image = shell.effects[kDelScript];
  shell.effects.erase(kDelScript);  // the delete takes its time
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(16000);
  EXPECT_EQ(runs_of(kDelScript), std::vector<std::string>{"shot01"});
  EXPECT_EQ(runs_of(kRawScript).size(), 1u);
  EXPECT_EQ(host.statuses.back().text, "Waiting for Image File");

  remove_image("shot01");
  clock.advance(2000);
  // A later exposure under the same name is a new image.
  EXPECT_EQ(raw_runs_after_dropping("SHOT01.NEF"),
            (std::vector<std::string>{"shot01 thorax_lat", "SHOT01 thorax_lat"}));
}

// An unreadable folder lists nothing, and a listing that stopped part-way may have missed a
// raw file: neither means the raw file of a delete still working has gone.
TEST_F(ProcessingCycleTest, AnUnreadableFolderDoesNotEndTheWaitForADelete) {
  expect_delete_outlasts([](FolderListing& folder) { folder.status = FolderStatus::Unreadable; });
}

TEST_F(ProcessingCycleTest, AListingCutShortDoesNotEndTheWaitForADelete) {
  expect_delete_outlasts([](FolderListing& folder) {
    folder.entries.clear();
    folder.cut_short = true;
  });
}

TEST_F(ProcessingCycleTest, RawFileWhoseDeleteCannotStartStaysAndIsNotProcessedAgain) {
  script_effects();
  shell.failures[kDelScript] = 2;
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(40000);

  EXPECT_EQ(box.texts(), std::vector<std::string>{"The system cannot find the file specified."});
  EXPECT_EQ(runs_of(kRawScript).size(), 1u);
  EXPECT_EQ(host.last, "Processed shot01.dcm");
  EXPECT_EQ(host.statuses.back().text, "Waiting for Image File");

  lister.add_file(kImportFolder, "shot02.nef");
  clock.advance(3000);
  EXPECT_EQ(cycle->cur_image(), "shot02");
}

TEST_F(ProcessingCycleTest, RawFileStillBeingWrittenWaitsForAQuietSecond) {
  const std::string path = std::string(kImportFolder) + "\\shot01.nef";
  lister.add_file(kImportFolder, "shot01.nef");
  for (int i = 0; i < 200; ++i) lister.add_file(kImportFolder, "other" + std::to_string(i));
  start();
  clock.advance(1000);
  for (std::uint64_t size = 1; size <= 6; ++size) {
    lister.stamps[path] = {size * 1000, 7};
    clock.advance(1000);
  }
  lister.stamps[path] = {6000, 8};  // the last write only touches the time
  clock.advance(1000);
  EXPECT_TRUE(host.statuses.empty());

  const int calls_before = lister.stamp_calls;
  clock.advance(1000);
  EXPECT_EQ(host.texts_from(0), std::vector<std::string>{"Processing shot01.nef 1"});
  EXPECT_EQ(lister.stamp_calls - calls_before, 1);  // raw files only, not every entry
}

TEST_F(ProcessingCycleTest, NamesTheScriptsCannotTakeAreReportedOnceAndLeftAlone) {
  script_effects();
  for (const char* name : {"x&del C-.NEF", "my shot.NEF", " lead.nef", "a%PATH%.nef", "ok.nef"})
    lister.add_file(kImportFolder, name);
  start();
  clock.advance(30000);

  EXPECT_EQ(box.texts(),
            (std::vector<std::string>{
                "Cannot process x&del C-.NEF: its name holds characters the scripts cannot take.",
                "Cannot process my shot.NEF: its name holds characters the scripts cannot take.",
                "Cannot process  lead.nef: its name holds characters the scripts cannot take.",
                "Cannot process a%PATH%.nef: its name holds characters the scripts cannot take.",
            }));
  EXPECT_EQ(runs_of(kRawScript), std::vector<std::string>{"ok thorax_lat"});
  EXPECT_EQ(lister.folders[kImportFolder].entries.size(), 4u);
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});
}

// Operators step away between exposures: a refused name's box left open must not hold up
// the next patient's image, and what is refused meanwhile is said after it, once.
TEST_F(ProcessingCycleTest, ARefusedNamesBoxLeftOpenHoldsUpNoOtherImage) {
  script_effects();
  lister.add_file(kImportFolder, "my shot.NEF");
  bool first_box = true;
  box.while_open = [&] {
    if (!std::exchange(first_box, false)) return;
    lister.add_file(kImportFolder, "next01.NEF");
    lister.add_file(kImportFolder, "a&b.NEF");
    clock.advance(5 * 60 * 1000);
  };
  start();
  clock.advance(3000);

  EXPECT_EQ(runs_of(kRawScript), std::vector<std::string>{"next01 thorax_lat"});
  EXPECT_EQ(runs_of(kDelScript), std::vector<std::string>{"next01"});
  EXPECT_EQ(host.last, "Processed next01.dcm");
  clock.advance(60000);
  EXPECT_EQ(box.max_open, 1);
  EXPECT_EQ(box.texts(),
            (std::vector<std::string>{
                "Cannot process my shot.NEF: its name holds characters the scripts cannot take.",
                "Cannot process a&b.NEF: its name holds characters the scripts cannot take.",
            }));
}

// A raw file nobody can read would wait for ever without a word; one its writer still
// holds is not complete, and waits without one.
TEST_F(ProcessingCycleTest, AnUnreadableRawFileIsReportedOnceAndTakenOnceReadable) {
  script_effects();
  const std::string locked = std::string(kImportFolder) + "\\locked.NEF";
  const std::string copying = std::string(kImportFolder) + "\\copying.NEF";
  lister.add_file(kImportFolder, "locked.NEF");
  lister.add_file(kImportFolder, "copying.NEF");
  lister.looks[locked] = StampResult::unreadable("Access is denied.\r\n");
  lister.looks[copying] = StampResult::in_use();
  start();
  clock.advance(20000);
  EXPECT_EQ(box.texts(), std::vector<std::string>{"Cannot read locked.NEF: Access is denied."});
  EXPECT_TRUE(runs_of(kRawScript).empty());

  lister.looks.erase(copying);
  clock.advance(20000);
  EXPECT_EQ(runs_of(kRawScript), std::vector<std::string>{"copying thorax_lat"});
  lister.looks.erase(locked);
  clock.advance(20000);
  EXPECT_EQ(runs_of(kRawScript),
            (std::vector<std::string>{"copying thorax_lat", "locked thorax_lat"}));
  EXPECT_EQ(box.shown.size(), 1u);
}

// A listing may show a file that its path does not reach (a name the station's calls cannot
// take): not found once is a file that just went, twice while still listed is reported.
TEST_F(ProcessingCycleTest, ARawFileListedButNotFoundTwiceIsReportedOnce) {
  script_effects();
  const std::string unreachable = std::string(kImportFolder) + "\\unreachable.NEF";
  lister.add_file(kImportFolder, "unreachable.NEF");
  lister.looks[unreachable] = StampResult::gone("The filename or extension is too long.\r\n");
  start();
  clock.advance(1000);  // the start-up script
  clock.advance(1000);  // the first scan: it may just have gone
  EXPECT_TRUE(box.shown.empty());
  clock.advance(20000);
  EXPECT_EQ(box.texts(),
            std::vector<std::string>{
                "Cannot read unreachable.NEF: The filename or extension is too long."});

  lister.add_file(kImportFolder, "shot01.NEF");
  clock.advance(20000);
  EXPECT_EQ(runs_of(kRawScript), std::vector<std::string>{"shot01 thorax_lat"});
  EXPECT_EQ(box.shown.size(), 1u);
}

TEST_F(ProcessingCycleTest, FailingStartUpScriptRunsOnceWhileItsBoxStaysOpen) {
  shell.failures[kDelDcmScript] = 2;
  box.while_open = [&] { clock.advance(5000); };
  start();
  clock.advance(1000);

  EXPECT_EQ(runs_of(kDelDcmScript).size(), 1u);
  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.max_open, 1);
  EXPECT_EQ(enabled_timers(), std::vector<std::string>{"rawtimer"});
  EXPECT_TRUE(lister.listed_at.empty());

  clock.advance(5000);
  EXPECT_EQ(runs_of(kDelDcmScript).size(), 1u);
  ASSERT_FALSE(lister.listed_at.empty());
  EXPECT_EQ(lister.listed_at.front(), 7000);  // a full interval after the box closed at 6 s
}

TEST_F(ProcessingCycleTest, RefusedTimerIsReportedByTheHandlerThatEnabledItAndStopsTheCycle) {
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.refuse = true;
  clock.advance(5000);

  EXPECT_EQ(box.texts(), std::vector<std::string>{"Not enough timers available."});
  EXPECT_TRUE(cycle->timer("rawtimer").Enabled());
  EXPECT_FALSE(cycle->timer("deldcmtimer").Enabled());
  EXPECT_TRUE(lister.listed_at.empty());
  EXPECT_EQ(runs_of(kDelDcmScript).size(), 1u);
}

}  // namespace
}  // namespace lumenpoll
