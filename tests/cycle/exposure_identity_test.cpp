// An image is more than its name: camera counters wrap and capture software reuses names, a
// delete may fail or be slow, and a Linux folder may hold two names that differ in case.
// Whatever of an earlier exposure is left in the import folder must never be filed for a new
// one, and a new one must never be held back without a word.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cycle/cycle_fixture.h"

namespace lumenpoll {
namespace {

using namespace cycle_tests;  // NOLINT: the fixture's names, as if declared here

std::string import_path(const std::string& name) {
  return std::string(kImportFolder) + "\\" + name;
}

class EarlierImageTest : public ProcessingCycleTest, public ::testing::WithParamInterface<Edition> {
 protected:
  // shot01's processed image of an earlier exposure is in the folder when shot01.nef comes;
  // the raw script of the new one (started at 4 s) writes nothing by itself.
  EarlierImageTest() {
    lister.add_file(kImportFolder, processed);
    lister.stamps[path] = {100, 1};
    lister.add_file(kImportFolder, "shot01.nef");
  }

  // The raw script writes over the earlier image, as a rename that replaces does.
  void replace() { lister.stamps[path] = {200, 2}; }

  bool waiting() const { return cycle->timer("donetimer").Enabled(); }

  const std::string processed = GetParam() == Edition::Lite ? "shot01.DCM" : "shot01.TIF";
  const std::string path = import_path(processed);
  const std::string notice = processed +
                             " from an earlier image is still in the import folder and the raw "
                             "script has not replaced it: shot01.nef waits for its own.";
};

TEST_P(EarlierImageTest, IsWaitedOnUntilTheRawScriptHasReplacedIt) {
  start(GetParam());
  clock.advance(10000);
  EXPECT_TRUE(waiting());
  EXPECT_EQ(host.statuses.back().text, "Processing shot01.nef 2");

  replace();
  clock.advance(4000);
  EXPECT_EQ(runs_of(kDcmScript), std::vector<std::string>{"shot01"});
  EXPECT_EQ(first_run_at(kDcmScript), 14000);  // found by the scan at 11 s
  EXPECT_TRUE(box.shown.empty());
}

TEST_P(EarlierImageTest, NotReplacedAMinuteAfterTheRawScriptStartedIsToldOnce) {
  start(GetParam());
  clock.advance(4000 + 60000 - 1);
  EXPECT_TRUE(box.shown.empty());
  clock.advance(1 + RawFileNotices::kIntervalMs);
  EXPECT_EQ(box.texts(), std::vector<std::string>{notice});

  clock.advance(5 * 60000);
  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_TRUE(waiting());
  replace();
  clock.advance(1000);
  EXPECT_TRUE(cycle->timer("dcmtimer").Enabled());
}

// A file in use or unreadable when the raw file is taken is looked at again before the raw
// script starts; one that still cannot be looked at takes its first stamp as the earlier one.
TEST_P(EarlierImageTest, OneThatCouldNotBeLookedAtIsTakenAsEarlier) {
  lister.looks[path] = StampResult::in_use();
  start(GetParam());
  clock.advance(3000);  // taken
  lister.looks.erase(path);
  clock.advance(10000);
  EXPECT_TRUE(waiting());
  replace();
  clock.advance(1000);
  EXPECT_FALSE(waiting());
}

TEST_P(EarlierImageTest, OneThatCouldNeverBeLookedAtCountsOnlyOnceItChangesAfter) {
  lister.looks[path] = StampResult::unreadable("Access is denied.\r\n");
  start(GetParam());
  clock.advance(20000);
  lister.looks.erase(path);
  clock.advance(5000);
  EXPECT_TRUE(waiting());
  replace();
  clock.advance(1000);
  EXPECT_FALSE(waiting());
}

TEST_P(EarlierImageTest, OneThatHasGoneAndComeBackIsNew) {
  start(GetParam());
  clock.advance(6000);
  lister.remove(kImportFolder, processed);
  clock.advance(1000);
  lister.add_file(kImportFolder, processed);  // stamped as before: the stamp alone says nothing
  clock.advance(1000);
  EXPECT_EQ(host.statuses.back().text, "Processing shot01.nef 3");
}

// A listing cut short may leave out the earlier image: the raw file waits for a whole one.
TEST_P(EarlierImageTest, IsNotMissedByAListingCutShort) {
  start(GetParam());
  clock.advance(2000);
  lister.folders[kImportFolder].cut_short = true;
  clock.advance(2000);
  EXPECT_TRUE(host.statuses.empty());
  lister.folders[kImportFolder].cut_short = false;
  clock.advance(10000);
  EXPECT_TRUE(waiting());
  EXPECT_EQ(host.statuses.back().text, "Processing shot01.nef 2");
}

INSTANTIATE_TEST_SUITE_P(Editions, EarlierImageTest,
                         ::testing::Values(Edition::Full, Edition::Lite), [](const auto& info) {
                           return std::string(info.param == Edition::Lite ? "Lite" : "Full");
                         });

// cam01's delete takes 20 s; cam02 is taken meanwhile, and the camera writes cam01.nef anew as
// soon as the old one has gone, while no raw scan runs.
TEST_F(ProcessingCycleTest, ANameThatComesBackDuringAnotherImageIsANewExposure) {
  shell.effects[kRawScript] = [this](const std::string& image) {
    if (image != "cam02") lister.add_file(kImportFolder, image + ".tif");
  };
  lister.add_file(kImportFolder, "cam01.nef");
  start();
  clock.advance(11000);  // cam01's delete starts
  lister.add_file(kImportFolder, "cam02.nef");
  clock.advance(9000);
  lister.remove(kImportFolder, "cam01.nef");
  lister.remove(kImportFolder, "cam01.tif");
  lister.add_file(kImportFolder, "cam01.nef");
  lister.stamps[import_path("cam01.nef")] = {3000, 20};
  clock.advance(14000);
  lister.add_file(kImportFolder, "cam02.tif");  // cam02's slow raw script
  clock.advance(20000);

  EXPECT_EQ(runs_of(kRawScript),
            (std::vector<std::string>{"cam01 thorax_lat", "cam02 thorax_lat", "cam01 thorax_lat"}));
  EXPECT_EQ(runs_of(kDcmScript), (std::vector<std::string>{"cam01", "cam02", "cam01"}));
  EXPECT_TRUE(box.shown.empty());
}

// The delete could not start, failed, or a viewer holds the raw file: it is not processed
// again, and the operator hears of it once.
TEST_F(ProcessingCycleTest, ARawFileStillThereAMinuteAfterItsDeleteIsToldOnceAndStaysHeld) {
  script_effects();
  shell.effects.erase(kDelScript);
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(11000 + 60000 - 1);
  EXPECT_TRUE(box.shown.empty());
  clock.advance(1 + RawFileNotices::kIntervalMs);
  EXPECT_EQ(box.texts(), std::vector<std::string>{
                             "shot01.nef is still in the import folder after its delete; it is "
                             "not processed again. Delete it once its DICOM file is filed, or "
                             "restart lumenpoll to process it again."});
  clock.advance(5 * 60000);
  EXPECT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(runs_of(kRawScript).size(), 1u);

  lister.stamps[import_path("shot01.nef")] = {7, 7};  // a new exposure under the name
  clock.advance(3000);
  EXPECT_EQ(runs_of(kRawScript).size(), 2u);
}

TEST_F(ProcessingCycleTest, ADeleteThatEndsWithinTheMinuteIsNotTold) {
  const auto remove_image = script_effects_with_slow_delete();
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(11000 + 30000);
  remove_image("shot01");
  clock.advance(2 * 60000);
  EXPECT_TRUE(box.shown.empty());
}

// On a Linux folder: each twin is its own exposure, with its own processed image, and the
// delete of one (which leaves its TIF behind) holds nothing of the other.
TEST_F(ProcessingCycleTest, NamesThatDifferOnlyInCaseAreProcessedInTurn) {
  shell.effects[kRawScript] = [this](const std::string& image) {
    if (image == "shot7") lister.add_file(kImportFolder, "shot7.tif");
  };
  shell.effects[kDelScript] = [this](const std::string& image) {
    lister.remove(kImportFolder, image + ".NEF");
  };
  lister.add_file(kImportFolder, "SHOT7.NEF");
  lister.add_file(kImportFolder, "shot7.NEF");
  start();
  clock.advance(20000);  // shot7 done at 11 s, SHOT7's raw script started at 13 s
  lister.add_file(kImportFolder, "SHOT7.tif");
  clock.advance(10000);

  EXPECT_EQ(runs_of(kRawScript),
            (std::vector<std::string>{"shot7 thorax_lat", "SHOT7 thorax_lat"}));
  EXPECT_EQ(runs_of(kDcmScript), (std::vector<std::string>{"shot7", "SHOT7"}));
  // SHOT7's DICOM script waited for SHOT7.tif, not for the shot7.tif left beside it.
  EXPECT_EQ(first_run_at(kDcmScript, 9000), 24000);
  EXPECT_TRUE(box.shown.empty());
}

// The copy that takes the station over starts from the beginning: a raw file still there,
// its delete at work, would be a new image to it.
TEST_F(ProcessingCycleTest, AHandOverWaitsUntilTheDeleteHasRemovedTheRawFile) {
  const auto remove_image = script_effects_with_slow_delete();
  lister.add_file(kImportFolder, "shot01.nef");
  start();
  clock.advance(11000);  // the delete starts
  bool handed_over = false;
  cycle->HandOver([&] { handed_over = true; });
  clock.advance(5000);
  EXPECT_FALSE(handed_over);
  remove_image("shot01");
  clock.advance(1000);
  EXPECT_TRUE(handed_over);
  EXPECT_EQ(runs_of(kRawScript).size(), 1u);
}

}  // namespace
}  // namespace lumenpoll
