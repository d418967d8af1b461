#include "ui/form1.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_station.h"

namespace lumenpoll {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kMacros = fakes::kMacroListFile;
constexpr const char* kSelection = fakes::kSelectionFile;
constexpr const char* kImport = fakes::kImportFolder;

constexpr const char* kSampleList =
    "[Canine]\r\n"
    "Thorax LAT thorax_lat [10 60 5] [*12 65 6]\r\n"
    "Abdomen VD abdomen_vd\r\n"
    "[Feline]\r\n"
    "Thorax VD thorax_vd_cat [4 55 2.5]\r\n"
    "Skull DV skull_dv [3 50 2] [*4 52 2]\r\n"
    "[AUTOCLOSE]\r\n"
    "NO\r\n";

// A window on fakes, shown the way the program shows it.
struct Station : fakes::FakeStation {
  explicit Station(Edition edition = Edition::Full, const std::string& list = kSampleList,
                   const std::string& selection = "1 0\r\n")
      : FakeStation(list, selection),
        form(std::make_unique<TForm1>(edition, app, platform, view)) {}
  void show() { form->OnShow(); }

  std::unique_ptr<TForm1> form;
};

Strings chart_row(const fakes::FakeView& view, int row) {
  return {view.cell(0, row), view.cell(1, row), view.cell(2, row)};
}

TEST(FormShow, FillsTheListsRestoresTheSelectionAndDrawsTheChart) {
  Station st;
  st.show();

  EXPECT_TRUE(st.box.shown.empty());
  EXPECT_EQ(st.view.items["cb_species"], (Strings{"Canine", "Feline"}));
  EXPECT_EQ(st.view.item_index["cb_species"], 1);
  EXPECT_EQ(st.view.items["cb_region"], (Strings{"Thorax VD ", "Skull DV "}));
  EXPECT_EQ(st.view.item_index["cb_region"], 0);
  EXPECT_EQ(chart_row(st.view, 0), (Strings{"CM", "kVp", "mAs"}));
  EXPECT_EQ(chart_row(st.view, 1), (Strings{"4 ", "55", "2.5"}));
  EXPECT_EQ(chart_row(st.view, 2), (Strings{" ", " ", " "}));
  EXPECT_EQ(st.view.selection, GridRect{});
  // Once by the region refresh of the selection load, once after the headings.
  EXPECT_EQ(st.view.selection_sets, 2);
  EXPECT_EQ(st.form->auto_close(), "NO");
}

TEST(FormShow, SavedSelectionTextsPickSpeciesAndRegion) {
  struct Case {
    std::string line;
    int species;
    int region;
    std::size_t regions;
  };
  const std::vector<Case> cases = {
      {"0 1\r\n", 0, 1, 2},     {"  1 1  \r\n", 1, 1, 2},
      {"1\r\n", 0, 1, 2},       {"", 0, 0, 2},
      {"5 0\r\n", -1, -1, 0},   {"0 7\r\n", 0, -1, 2},
      {"-1 -1\r\n", -1, -1, 0}, {"$1 x1\r\n", 1, 1, 2},
  };
  for (const Case& c : cases) {
    Station st(Edition::Full, kSampleList, c.line);
    st.show();
    SCOPED_TRACE(c.line);
    EXPECT_TRUE(st.box.shown.empty());
    EXPECT_EQ(st.form->cb_species().ItemIndex(), c.species);
    EXPECT_EQ(st.form->cb_region().ItemIndex(), c.region);
    EXPECT_EQ(st.view.items["cb_region"].size(), c.regions);
    EXPECT_EQ(st.view.item_index["cb_region"], c.region);
  }
}

TEST(FormShow, NoSpeciesSelectedLeavesRegionsAndChartEmpty) {
  Station st(Edition::Full, kSampleList, "9 0\r\n");
  st.show();
  EXPECT_TRUE(st.view.items["cb_region"].empty());
  EXPECT_EQ(chart_row(st.view, 0), (Strings{"CM", "kVp", "mAs"}));
  EXPECT_EQ(chart_row(st.view, 1), (Strings{" ", " ", " "}));
  EXPECT_EQ(st.view.selection, GridRect{});
}

TEST(FormShow, MissingMacroListIsShownAndTheCycleStillStarts) {
  Station st;
  st.files.files.erase(kMacros);
  st.show();
  EXPECT_EQ(st.box.texts(), Strings{"File not found."});
  EXPECT_EQ(st.box.shown[0].caption, "Orvend Image Processing");
  EXPECT_TRUE(st.view.items["cb_species"].empty());
  EXPECT_EQ(st.form->cb_species().ItemIndex(), -1);
  EXPECT_EQ(st.view.cell(0, 0), "");  // no headings
  EXPECT_TRUE(st.form->cycle().timer("deldcmtimer").Enabled());
}

TEST(FormShow, MacroListFailingMidwayKeepsTheSpeciesReadSoFar) {
  Station st;
  st.files.fail_read_after = 128 + 10;  // inside the Feline section
  st.show();
  EXPECT_EQ(st.box.texts(), Strings{"File access denied."});
  EXPECT_EQ(st.view.items["cb_species"], (Strings{"Canine", "Feline"}));
  EXPECT_EQ(st.form->cb_species().ItemIndex(), -1);
  EXPECT_TRUE(st.view.items["cb_region"].empty());
}

TEST(FormShow, MissingSelectionFileLeavesSpeciesUnselected) {
  Station st;
  st.files.files.erase(kSelection);
  st.show();
  EXPECT_EQ(st.box.texts(), Strings{"File not found."});
  EXPECT_EQ(st.view.items["cb_species"], (Strings{"Canine", "Feline"}));
  EXPECT_EQ(st.form->cb_species().ItemIndex(), -1);
  EXPECT_TRUE(st.view.items["cb_region"].empty());
  EXPECT_EQ(st.view.cell(0, 0), "");
}

TEST(RegionList, EndsAtTheMarkerOrAtTheLastSlot) {
  // Empty: a header right after another. Last: no header follows, so no marker.
  Station st(Edition::Full, "[Empty]\r\n[Last]\r\nOnly\r\n", "0 0\r\n");
  st.show();
  EXPECT_TRUE(st.view.items["cb_region"].empty());
  EXPECT_EQ(st.form->cb_region().ItemIndex(), -1);

  st.form->OnSelect("cb_species", 1);
  ASSERT_EQ(st.view.items["cb_region"].size(), 19u);
  EXPECT_EQ(st.view.items["cb_region"][0], "O");
  EXPECT_EQ(st.view.items["cb_region"][18], "");
}

TEST(OperatorChoice, SpeciesRefillsRegionsAndRegionRefreshesOnlyTheChart) {
  Station st;
  st.show();
  const int sets = st.view.selection_sets;

  st.form->OnSelect("cb_species", 0);
  EXPECT_EQ(st.view.items["cb_region"], (Strings{"Thorax LAT ", "Abdomen VD "}));
  EXPECT_EQ(st.view.item_index["cb_region"], 0);
  EXPECT_EQ(chart_row(st.view, 2), (Strings{"12 ", "65", "6"}));
  EXPECT_EQ(st.view.selection, (GridRect{0, 2, 2, 2}));
  EXPECT_EQ(st.view.selection_sets, sets + 2);  // cleared, then highlighted

  // From a region with a chart to one without: rows and highlight go.
  st.form->OnChange("cb_region", 1);
  EXPECT_EQ(st.view.items["cb_region"].size(), 2u);
  EXPECT_EQ(chart_row(st.view, 1), (Strings{" ", " ", " "}));
  EXPECT_EQ(chart_row(st.view, 2), (Strings{" ", " ", " "}));
  EXPECT_EQ(st.view.selection, GridRect{});
}

TEST(Closing, SavesTheSelectionThenClosesTheWindow) {
  for (bool by_button : {true, false}) {
    Station st;
    st.show();
    st.form->OnSelect("cb_species", 0);
    st.form->OnChange("cb_region", 1);
    if (by_button)
      st.form->OnClick("Button1");
    else
      st.form->OnCloseRequest();
    EXPECT_EQ(st.files.files[kSelection], "0 1\r\n");
    EXPECT_TRUE(st.view.window_closed);
    EXPECT_TRUE(st.box.shown.empty());
  }
}

TEST(Closing, NothingSelectedIsSavedAsMinusOne) {
  Station st(Edition::Full, kSampleList, "7 0\r\n");
  st.show();
  st.form->OnClick("Button1");
  EXPECT_EQ(st.files.files[kSelection], "-1 -1\r\n");
}

TEST(Closing, FailedSaveKeepsTheWindowOpenEveryTime) {
  Station st;
  st.show();
  st.files.open_errors[kSelection] = 32;
  st.form->OnClick("Button1");
  st.form->OnCloseRequest();
  EXPECT_EQ(st.box.texts(), (Strings{"I/O error 32.", "I/O error 32."}));
  EXPECT_FALSE(st.view.window_closed);
  EXPECT_FALSE(st.form->closed());
}

// At logoff the selection is saved as a close saves it; a refused save shows no box, nothing
// more starts, and the program goes.
TEST(Closing, SessionEndSavesTheSelectionAndNeverShowsABox) {
  for (bool save_fails : {false, true}) {
    Station st;
    st.show();
    st.form->OnSelect("cb_species", 0);
    if (save_fails) st.files.open_errors[kSelection] = 5;
    st.form->OnSessionEnd();
    EXPECT_EQ(st.files.files[kSelection], save_fails ? "1 0\r\n" : "0 0\r\n");
    EXPECT_TRUE(st.box.shown.empty());
    EXPECT_TRUE(st.form->closed());
    EXPECT_TRUE(st.view.window_closed);
    st.folders.add_file(kImport, "shot01.NEF");
    st.clock.advance(20000);
    EXPECT_TRUE(st.shell.calls.empty());
  }
}

// The session may end while any box waits for the operator: the handler under it resumes
// once it has gone, and must neither show another nor start anything.
TEST(Closing, SessionEndUnderAnOpenBoxShowsNoOtherAndStartsNothing) {
  struct Case {
    const char* box;
    std::function<void(Station&)> open_it;
  };
  const std::vector<Case> cases = {
      {"File not found.",
       [](Station& st) {
         st.files.files.erase(kMacros);
         st.show();
       }},
      {"File access denied.",
       [](Station& st) {
         st.show();
         st.files.open_errors[kSelection] = 5;
         st.form->OnClick("Button1");
       }},
      {"The system cannot find the file specified.",
       [](Station& st) {
         st.shell.failures["C:\\Program Files\\ImageJ\\ij_deldcm.bat"] = 2;
         st.show();
         st.clock.advance(1000);
       }},
      {"Invalid folder.",
       [](Station& st) {
         st.folders.folders.erase(kImport);
         st.show();
         st.clock.advance(2000);
       }},
      {"Cannot process a&b.NEF: its name holds characters the scripts cannot take.",
       [](Station& st) {
         st.folders.add_file(kImport, "a&b.NEF");
         st.show();
         st.clock.advance(3000);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Station st;
    std::size_t calls_at_end = 0;
    st.box.while_open = [&] {
      if (st.form->closed()) return;
      st.form->OnSessionEnd();
      calls_at_end = st.shell.calls.size();
    };
    c.open_it(st);
    st.folders.folders[kImport] = {};
    st.folders.add_file(kImport, "shot01.NEF");
    st.clock.advance(30000);
    EXPECT_EQ(st.box.texts(), (Strings{c.box}));
    EXPECT_TRUE(st.form->closed());
    EXPECT_TRUE(st.view.window_closed);
    EXPECT_EQ(st.shell.calls.size(), calls_at_end);
  }
}

// Toolkits report a pick of the item already selected too; it changes nothing, so the
// operator's region stays.
TEST(Selection, APickOfTheSpeciesAlreadySelectedRefillsNothing) {
  Station st;
  st.show();
  st.form->OnChange("cb_region", 1);
  st.form->OnSelect("cb_species", 1);
  EXPECT_EQ(st.form->cb_region().ItemIndex(), 1);
  EXPECT_EQ(st.view.item_index["cb_region"], 1);
}

TEST(LiteEdition, HasNoChartAnywhere) {
  Station st(
      Edition::Lite,
      "[Canine]\r\nThorax LAT thorax_lat [10 60 5]\r\nSkull DV skull_dv\r\n[AUTOCLOSE]\r\nNO\r\n",
      "0 0\r\n");
  st.show();
  EXPECT_EQ(st.view.items["cb_region"], (Strings{"Thorax LAT thorax_lat [10 60 ", "Skull DV "}));
  st.form->OnSelect("cb_species", 0);
  st.form->OnChange("cb_region", 1);
  EXPECT_TRUE(st.view.cells.empty());
  EXPECT_EQ(st.view.selection_sets, 0);
  // The region chosen is still the one the next raw file uses.
  EXPECT_EQ(st.form->cb_region().ItemIndex(), 1);
}

// The macro argument is read when the raw file is found, from the selection of that moment.
TEST(MacroArgument, FollowsTheSelectionAndNeverReadsOutsideTheTable) {
  struct Case {
    std::string selection;
    std::string parameters;
  };
  const std::vector<Case> cases = {
      {"1 1\r\n", "shot01 skull_dv"},
      {"0 0\r\n", "shot01 thorax_lat"},
      {"9 0\r\n", "shot01 "},  // no species: empty argument
      {"0 9\r\n", "shot01 "},  // no region: slot 0, always empty
  };
  for (const Case& c : cases) {
    Station st(Edition::Full, kSampleList, c.selection);
    st.show();
    st.folders.add_file(kImport, "shot01.NEF");
    st.clock.advance(4000);  // deldcm, two raw scans, raw script
    SCOPED_TRACE(c.selection);
    ASSERT_EQ(st.shell.calls.size(), 2u);
    EXPECT_EQ(st.shell.calls[1].file, "C:\\Program Files\\ImageJ\\ij_raw.bat");
    EXPECT_EQ(st.shell.calls[1].parameters, c.parameters);
  }
}

// The display refuses a megabyte of text in one piece; the program must not die of it.
TEST(LongTexts, AreCutWhereShownAndKeptWholeWhereUsed) {
  const std::string species(1 << 20, 'S');
  const std::string macro(100 << 10, 'm');
  Station st(Edition::Full,
             "[" + species + "]\r\nRegion " + macro + " [" + std::string(300000, '9') + "]\r\n",
             "0 0\r\n");
  st.show();
  ASSERT_EQ(st.form->cb_species().Items(), Strings{species});
  EXPECT_EQ(st.view.items["cb_species"], Strings{species.substr(0, kMaxShownText)});
  EXPECT_EQ(st.view.cell(2, 1).size(), kMaxShownText);

  st.folders.add_file(kImport, "shot01.NEF");
  st.clock.advance(4000);
  ASSERT_EQ(st.shell.calls.size(), 2u);
  EXPECT_EQ(st.shell.calls[1].parameters, "shot01 " + macro);
}

TEST(AutoClose, EndsAfterTheFirstImageWithTheStatusLinesSet) {
  Station st(Edition::Full, "[Canine]\r\nThorax LAT thorax_lat\r\n[AUTOCLOSE]\r\nyes\r\n",
             "0 0\r\n");
  st.show();
  ASSERT_EQ(st.form->auto_close(), "YES");
  st.folders.add_file(kImport, "shot01.NEF");
  st.clock.advance(4000);
  st.folders.add_file(kImport, "shot01.TIF");
  st.clock.advance(7000);
  EXPECT_TRUE(st.view.window_closed);
  EXPECT_EQ(st.files.files[kSelection], "0 0\r\n");
  EXPECT_EQ(st.view.captions["la_fname"], "Waiting for Image File");
  EXPECT_EQ(st.view.captions["la_last"], "Processed shot01.dcm");
}

TEST(AutoClose, UnwritableSelectionKeepsTheWindowAndTheCycleGoesOn) {
  Station st(Edition::Full, "[Canine]\r\nThorax LAT thorax_lat\r\n[AUTOCLOSE]\r\nYES\r\n",
             "0 0\r\n");
  st.show();
  st.files.open_errors[kSelection] = 5;
  st.folders.add_file(kImport, "shot01.NEF");
  st.clock.advance(4000);
  st.folders.add_file(kImport, "shot01.TIF");
  st.clock.advance(7000);
  EXPECT_EQ(st.box.texts(), Strings{"File access denied."});
  EXPECT_FALSE(st.view.window_closed);
  EXPECT_EQ(st.view.captions["la_fname"], "Processing shot01.nef 4");
  EXPECT_EQ(st.view.captions["la_last"], "");
  EXPECT_TRUE(st.form->cycle().timer("rawtimer").Enabled());

  // The raw file is still there (the fake delete script removes nothing): it is not taken
  // up again, but the next raw file is.
  st.clock.advance(3000);
  EXPECT_EQ(st.view.captions["la_fname"], "Processing shot01.nef 4");
  st.folders.add_file(kImport, "shot02.NEF");
  st.clock.advance(2000);
  EXPECT_EQ(st.view.captions["la_fname"], "Processing shot02.nef 1");
}

}  // namespace
}  // namespace lumenpoll

namespace lumenpoll {
namespace {

TEST(ErrorBoxes, StopTheFailingHandlerOnlyWhileOtherTimersGoOn) {
  Station st(Edition::Full, kSampleList, "0 0\r\n");
  st.show();
  st.shell.clock_ms = &st.clock.now_ms;
  st.folders.add_file(kImport, "shot01.NEF");
  st.clock.advance(2000);
  // The scan that takes shot01 brings a box about "my shot.NEF" at once; the operator leaves
  // it open 5 s, while the raw script writes shot01.TIF.
  st.folders.add_file(kImport, "my shot.NEF");
  st.box.while_open = [&] {
    st.clock.advance(1000);
    st.folders.add_file(kImport, "shot01.TIF");
    st.clock.advance(4000);
  };
  st.clock.advance(1000 + RawFileNotices::kIntervalMs);

  EXPECT_EQ(st.box.texts(), Strings{"Cannot process my shot.NEF: its name holds characters the "
                                    "scripts cannot take."});
  ASSERT_EQ(st.shell.calls.size(), 3u);
  EXPECT_EQ(st.shell.calls[1].at_ms, 4000);  // ij_raw.bat, inside the box
  EXPECT_EQ(st.shell.calls[2].file, "C:\\Program Files\\ImageJ\\ij_dcm.bat");
  EXPECT_EQ(st.shell.calls[2].at_ms, 8000);  // TIF found at 5 s, inside the box
  EXPECT_EQ(st.view.captions["la_fname"], "Processing shot01.nef 4");
}

TEST(Closing, StopsTheCycleEvenWhileAnotherBoxKeepsTheLoopGoing) {
  Station st;
  st.show();
  st.form->OnClick("Button1");
  ASSERT_TRUE(st.view.window_closed);
  for (const char* name :
       {"deldcmtimer", "rawtimer", "ijtimer", "donetimer", "dcmtimer", "deltimer"})
    EXPECT_FALSE(st.form->cycle().timer(name).Enabled()) << name;
  st.folders.add_file(kImport, "shot01.NEF");
  st.clock.advance(10000);
  EXPECT_TRUE(st.shell.calls.empty());
}

}  // namespace
}  // namespace lumenpoll
