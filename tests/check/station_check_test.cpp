#include "check/station_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "config/macro_table.h"
#include "config/selection_file.h"
#include "cycle/station_paths.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_folder_lister.h"
#include "fakes/fake_script_probe.h"

namespace lumenpoll {
namespace {

using Lines = std::vector<std::string>;

const char* const kGoodList =
    "[Canine]\r\n"
    "Thorax LAT thorax_lat [8 60 4] [*10 62 5]\r\n"
    "Skull DV skull_dv\r\n"
    "[Feline]\r\n"
    "Thorax VD thorax_vd_cat [4 55 2.5]\r\n"
    "[AUTOCLOSE]\r\n"
    "NO\r\n";

class StationCheckTest : public ::testing::Test {
 protected:
  StationCheckTest() {
    files_.files[kMacroListPath] = kGoodList;
    files_.files[kSelectionPath] = "0 1\r\n";
    folders_.folders[kImportFolder] = {};
  }

  StationReport check(Edition edition = Edition::Full) {
    return check_station({files_, folders_, scripts_, *real_files_, wait_a_second_, sight_},
                         edition);
  }

  // The report's "line N: ..." findings, without their indent.
  Lines line_findings(Edition edition = Edition::Full) {
    Lines found;
    for (const std::string& line : check(edition).lines)
      if (line.starts_with("  line ")) found.push_back(line.substr(2));
    return found;
  }

  static bool has(const StationReport& report, const std::string& text) {
    return std::any_of(report.lines.begin(), report.lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  }

  // The texts that the report lacks, of those it should hold.
  static Lines missing(const StationReport& report, const Lines& texts) {
    Lines absent;
    for (const std::string& text : texts)
      if (!has(report, text)) absent.push_back(text);
    return absent;
  }

  fakes::FakeFileSystem files_;
  fakes::FakeFolderLister folders_;
  fakes::FakeScriptProbe scripts_;
  fakes::FakeFileSystem* real_files_ = &files_;
  std::function<void()> wait_a_second_;
  VirtualStoreSight sight_;
};

TEST_F(StationCheckTest, AStationThatReadsAsWrittenIsReady) {
  const StationReport report = check();
  EXPECT_EQ(report.status(), CheckStatus::Ready) << testing::PrintToString(report.lines);
  EXPECT_EQ(missing(report,
                    {"every line reads as written",
                     "      [1] Skull DV             macro argument \"skull_dv\"",
                     "        > 10     62     5      (highlighted)",
                     "selects species [0] Canine, region [1] Skull DV: macro argument \"skull_dv\"",
                     "C:\\Program Files\\ImageJ\\ij_raw.bat: ready", "  read from line 7: \"NO\""}),
            Lines{});
}

TEST_F(StationCheckTest, ReportsLinesThatDoNotReadAsWritten) {
  files_.files[kMacroListPath] =
      "\xEF\xBB\xBF"
      "Species of the clinic\r\n"
      "[Canine\r\n"
      "Thorax LAT thorax_lat\r\n"
      "\r\n"
      "Skull\r\n"
      "[AUTOCLOSE]\r\n"
      "YES \r\n"
      "Pelvis VD pelvis_vd\r\n"
      "[Feline]\r\n"
      "[Equine]\r\n"
      "Hoof LM hoof_lm\r\n";
  EXPECT_EQ(line_findings(),
            (Lines{
                "line 1: the file starts with a UTF-8 byte-order mark, which is skipped; its texts "
                "are read as Windows-1252, so letters beyond ASCII show wrongly",
                "line 1: comes before the first species header: ignored",
                "line 2: the header has no closing \"]\": its last character is dropped, so the "
                "species is \"Canin\"",
                "line 4: blank line: becomes an empty region [1] of \"Canin\"",
                "line 5: no blank between the region name and the macro argument: region \"S\", "
                "macro argument \"kull\"",
                "line 7: auto-close value \"YES \" is YES with blanks or control characters around "
                "it, and the value is not trimmed: auto-close is NO",
                "line 8: comes after the auto-close section, where entries count again from the "
                "first: it replaces region [0] of \"Canin\" (line 3)",
                "line 9: ends the region list of \"Canin\" before region [1]: the region of line 4 "
                "and any after it are no longer offered (an auto-close section above a species "
                "header resets the entry count)",
                "line 9: species \"Feline\" has no entries: its region list is empty",
                "line 10: no header follows the entries of species \"Equine\", so its region list "
                "runs on to the table's end: 18 empty regions after its 1 (end the file with the "
                "auto-close section)",
            }));
}

TEST_F(StationCheckTest, ReportsWhatDoesNotFitTheTable) {
  std::string list = "[Canine]\r\n";
  for (int i = 1; i <= 20; ++i)
    list += "Region" + std::to_string(i) + " m" + std::to_string(i) + "\r\n";
  for (int s = 2; s <= 21; ++s) list += "[S" + std::to_string(s) + "]\r\nR r\r\n";
  list += "[AUTOCLOSE]\r\nNO\r\n";
  files_.files[kMacroListPath] = list;
  // The 20th entry is line 21; species 21 is "[S21]" on line 60, its entry on line 61.
  EXPECT_EQ(line_findings(),
            (Lines{
                "line 21: would be region [19] of \"Canine\", but a species holds at most 19 "
                "regions: ignored",
                "line 60: species 21 \"[S21]\": only 20 species fit, it is not offered",
                "line 61: belongs to the species of line 60, which is not offered: ignored",
            }));
}

TEST_F(StationCheckTest, ReportsTechniqueTextsTheChartDoesNotShowAsWritten) {
  files_.files[kMacroListPath] =
      "[Canine]\r\n"
      "A a [8 60 4] [10 62\r\n"
      "B b [1 1 1] [2 2 2] [3 3 3] [4 4 4] [5 5 5] [6 6 6] [7 7 7] [*8 8 8]\r\n"
      "C c [*1 1 1] [*2 2 2]\r\n"
      "D d [10 60 5][*12 65 6]\r\n"
      "[AUTOCLOSE]\r\nNO\r\n";
  EXPECT_EQ(line_findings(),
            (Lines{
                "line 2: technique text \"[8 60 4] [10 62\" does not read as [cm kVp mAs] groups: "
                "row 2 shows CM \"10 \", kVp \"\", mAs \"\"",
                "line 3: technique text has 8 groups: the chart shows the first 7",
                "line 4: several rows are marked with \"*\": only row 2 is highlighted",
            }));
}

// A group without its "]" leaves a row whose every cell is empty; it once emptied the
// printed row and then read past it.
TEST_F(StationCheckTest, ShowsARowOfEmptyCellsAsSuch) {
  files_.files[kMacroListPath] = "[Canine]\r\nA a [10 64 6] [*14 70 8\r\n";
  files_.files[kSelectionPath] = "0 0\r\n";
  EXPECT_TRUE(has(check(), "(a row of blanks)"));
}

TEST_F(StationCheckTest, TheLiteEditionReadsTechniqueTextsIntoTheEntry) {
  EXPECT_EQ(line_findings(Edition::Lite),
            (Lines{
                "line 2: lumenpoll-lite reads no technique texts, so \"[\" is part of the entry: "
                "region \"Thorax LAT thorax_lat [8 60 4] [*10 62 \", macro argument \"5]\"",
                "line 5: lumenpoll-lite reads no technique texts, so \"[\" is part of the entry: "
                "region \"Thorax VD thorax_vd_cat [4 55 \", macro argument \"2.5]\"",
            }));
  EXPECT_FALSE(has(check(Edition::Lite), "CM     kVp    mAs"));
}

TEST_F(StationCheckTest, ReportsTheSelectionFolderAndScriptsAsTheProgramMeetsThem) {
  files_.files.erase(kMacroListPath);
  files_.files.erase(kSelectionPath);
  folders_.folders.clear();
  scripts_.states[R"(C:\Program Files\ImageJ\ij_raw.bat)"] = {
      2, "The system cannot find the file specified"};
  const StationReport report = check();
  EXPECT_EQ(report.status(), CheckStatus::NeedsAttention);
  EXPECT_EQ(report.findings, 5);
  EXPECT_EQ(
      missing(report,
              {"  File not found: the program shows this at start and offers only what was read "
               "before",
               "  none: the species list is empty",
               "  File not found: the program shows this at start and selects nothing",
               "  Invalid folder: there is no such folder",
               "ij_raw.bat: cannot be started: The system cannot find the file specified",
               "Needs attention: 5 findings."}),
      Lines{});
}

// A standard account that may read but not rewrite the file could never close the window.
TEST_F(StationCheckTest, ASelectionTheOperatorCannotRewriteIsAFinding) {
  EXPECT_TRUE(has(check(), "  can be rewritten when the window closes"));
  files_.rewrite_errors[kSelectionPath] = 5;
  const StationReport report = check();
  EXPECT_EQ(report.status(), CheckStatus::NeedsAttention);
  EXPECT_TRUE(has(report,
                  "  cannot be rewritten: File access denied: every close of the window "
                  "says so, and the window stays open"));
}

TEST_F(StationCheckTest, ASavedSelectionOutsideTheListsSelectsNothing) {
  struct Case {
    const char* saved;
    const char* finding;
  } cases[] = {
      {"2 0", "species [2] is not in the species list"},
      {"1 1", "selects species [1] Feline but region [1] is not in its region list"},
      {"", "selects species [0] Canine, region [0] Thorax LAT: macro argument \"thorax_lat\""},
  };
  for (const Case& c : cases) {
    files_.files[kSelectionPath] = c.saved;
    EXPECT_TRUE(has(check(), c.finding)) << c.saved;
  }
}

TEST_F(StationCheckTest, SaysWhatTheProgramWouldDoWithEachRawFile) {
  const std::string folder = kImportFolder;
  for (const char* name : {"shot01.NEF", "shot 02.nef", "shot03.NEF", "shot04.NEF", "shot05.NEF",
                           "shot06.nef", "shot07.NEF", "SHOT06.tif", "shot07.dcm"})
    folders_.add_file(folder, name);
  folders_.folders[folder].entries.push_back({"shot08.NEF", true, false, true});
  folders_.stamps[folder + "\\shot03.NEF"] = {100, 1};
  folders_.looks[folder + "\\shot04.NEF"] = StampResult::in_use();
  folders_.looks[folder + "\\shot05.NEF"] = StampResult::unreadable("Access is denied.");
  int waits = 0;
  wait_a_second_ = [&] {  // the camera goes on writing shot03.NEF meanwhile
    ++waits;
    folders_.stamps[folder + "\\shot03.NEF"] = {200, 2};
  };
  const StationReport report = check();
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(report.findings, 4) << testing::PrintToString(report.lines);
  EXPECT_EQ(
      missing(
          report,
          {"  present; 8 raw files, looked at twice a second apart:",
           "  \"shot01.NEF\": taken as soon as the program scans",
           "  \"shot 02.nef\": the program leaves this raw file alone",
           "  \"shot03.NEF\": changed within the second it was looked at: taken once it "
           "stays unchanged",
           "  \"shot04.NEF\": a program still writes it: taken once the writer lets it go",
           "  \"shot05.NEF\": cannot be read: Access is denied: the program says so once",
           "  \"shot06.nef\": SHOT06.tif beside it is left from before: the program takes the "
           "raw file but waits until the raw script replaces SHOT06.tif, and says so after 60 s",
           "  \"shot08.NEF\": hidden, so the program does not see it"}),
      Lines{});
  // lumenpoll-lite waits for the .DCM instead.
  EXPECT_TRUE(has(check(Edition::Lite), "\"shot07.NEF\": shot07.dcm beside it is left from"));
  EXPECT_FALSE(has(check(Edition::Lite), "SHOT06.tif beside it"));
}

TEST_F(StationCheckTest, AnImportFolderWithoutRawFilesIsNotWaitedFor) {
  folders_.add_file(kImportFolder, "shot01.TIF");
  wait_a_second_ = [] { FAIL() << "waited with nothing to look at twice"; };
  EXPECT_TRUE(has(check(), "  present; no raw file waiting"));
}

// UTF-8 text from Notepad reads in the station's code page as two or three letters for each
// one beyond ASCII; a letter of that code page on its own is no sign of it.
TEST_F(StationCheckTest, SaysOnceForEachFileThatItHoldsUtf8Text) {
  files_.files[kMacroListPath] =
      "\xEF\xBB\xBF[Canine]\r\n"
      "Thorax thorax\r\n"
      "F\xC3\xA9mur LAT femur_lat\r\n"
      "Tibia tibia\xC2\xA0\r\n"
      "[AUTOCLOSE]\r\nNO\r\n";
  EXPECT_EQ(line_findings(),
            Lines{"line 3 and 1 other: UTF-8 text, as Notepad saves a file unless told otherwise, "
                  "but the program reads the file in the station's ANSI code page, so the window "
                  "shows \"F\xC3\xA9mur\": save the file with the encoding ANSI"});
  files_.files[kSelectionPath] =
      "0\xE2\x80\x83"
      "1\r\n";
  EXPECT_TRUE(has(check(),
                  "  line 1: UTF-8 text, as Notepad saves a file unless told otherwise, "
                  "but the program reads the file in the station's ANSI code page, so "
                  "the program reads \"0\xE2\x80\x83"
                  "1\""));

  files_.files[kMacroListPath] = "[Canine]\r\nF\xE9mur femur\r\n[Feline]\r\nC\xC0\xA9 c\r\n";
  files_.files[kSelectionPath] = "0 0\r\n";
  EXPECT_FALSE(has(check(), "UTF-8"));
}

TEST_F(StationCheckTest, ReportsVirtualStoreCopiesThatHideTheRealFiles) {
  const std::string anna = "C:\\Users\\anna\\AppData\\Local\\VirtualStore";
  const std::string own = "C:\\Users\\op\\AppData\\Local\\VirtualStore";
  const std::string bob_list =
      "C:\\Users\\bob\\AppData\\Local\\VirtualStore\\program files\\imagej\\macrolist.txt";
  for (const char* profile : {"anna", "bob", "op", "Public"})
    folders_.add_folder("C:\\Users", profile);
  const std::string anna_selection = anna + "\\program files\\imagej\\macroset.txt";
  const std::string own_list = own + "\\program files\\imagej\\macrolist.txt";
  files_.files[anna_selection] = "1 0\r\n";
  folders_.stamps[anna_selection] = {};
  folders_.stamps[own_list] = {};
  folders_.looks[bob_list] = StampResult::unreadable("Access is denied.");
  // This account's window, and the checker with it, read its copy where the real list is.
  files_.files[own_list] = files_.files[kMacroListPath];
  fakes::FakeFileSystem real;
  real.files[kMacroListPath] = "[Canine]\r\n";
  real_files_ = &real;
  sight_ = {own, true};
  const StationReport report = check();
  EXPECT_EQ(report.findings, 2) << testing::PrintToString(report.lines);
  EXPECT_EQ(missing(report,
                    {"  " + own_list + ": this account's window reads this copy instead of " +
                         kMacroListPath +
                         ", and so did this report above; the real one differs: delete the copy",
                     "  " + anna_selection +
                         ": anna's window reads and saves the selection here instead of in " +
                         kSelectionPath +
                         "; there is no real one: delete the copy where the operators share one "
                         "selection",
                     "  1 other account's VirtualStore could not be looked at (Access is denied): "
                     "run lumenpoll-check as an administrator to see every account's"}),
            Lines{});

  real.files[kMacroListPath] = files_.files[own_list];
  EXPECT_TRUE(has(check(), "above; the real one is the same: delete the copy"));
  sight_ = {};
  folders_.folders.erase("C:\\Users");
  EXPECT_TRUE(has(check(), "  none found"));
}

}  // namespace
}  // namespace lumenpoll
