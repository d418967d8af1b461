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

#include "cycle/cycle_fixture.h"

namespace lumenpoll {
namespace {

using namespace cycle_tests;  // NOLINT: the fixture's names, as if declared here

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
  const auto remove_image = script_effects_with_slow_delete();
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
  for (const char* name :
       {"x&del C-.NEF", "my shot.NEF", " lead.nef", "a%PATH%.nef", ".NEF", "ok.nef"})
    lister.add_file(kImportFolder, name);
  start();
  clock.advance(30000);

  EXPECT_EQ(box.texts(),
            (std::vector<std::string>{
                "Cannot process x&del C-.NEF: its name holds characters the scripts cannot take.",
                "Cannot process my shot.NEF: its name holds characters the scripts cannot take.",
                "Cannot process  lead.nef: its name holds characters the scripts cannot take.",
                "Cannot process a%PATH%.nef: its name holds characters the scripts cannot take.",
                "Cannot process .NEF: its name has nothing before the extension.",
            }));
  EXPECT_EQ(runs_of(kRawScript), std::vector<std::string>{"ok thorax_lat"});
  EXPECT_EQ(lister.folders[kImportFolder].entries.size(), 5u);
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

// The window closed, or the station went to another session's copy, while the box about a
// failed delete was open: the handler that resumes must not close the window it no longer
// runs for, nor write its status lines.
TEST_F(ProcessingCycleTest, AHandlerResumingInAStoppedCycleLeavesTheWindowAlone) {
  script_effects();
  host.auto_close = true;
  shell.failures[kDelScript] = 2;
  box.while_open = [&] { cycle->Stop(); };
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(20000);

  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "close"), 0);
  EXPECT_EQ(host.statuses.back().text, "Processing shot01.nef 4");
  EXPECT_EQ(host.last, "");
  EXPECT_TRUE(enabled_timers().empty());
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
