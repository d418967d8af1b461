#include "config/macro_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/errors.h"
#include "fakes/fake_file_system.h"

namespace lumenpoll {
namespace {

using Names = std::vector<std::string>;

struct MacroList {
  MacroTable table;
  std::string auto_close = "YES";  // must be reset by the reading
  Names species;

  // The names of row r up to the first empty slot after slot 0.
  Names names(int row) const {
    Names out{table.entry_names[row][0]};
    for (int slot = 1; slot < kSlots && !table.entry_names[row][slot].empty(); ++slot) {
      out.push_back(table.entry_names[row][slot]);
    }
    return out;
  }
};

class MacroListTest : public ::testing::Test {
 protected:
  MacroList read(const std::string& contents, Edition edition = Edition::Full) {
    fs_.files[kMacroListPath] = contents;
    MacroList list;
    list.table.entry_names[5][5] = "stale";
    read_macro_list(fs_, kMacroListPath, edition, list.table, list.auto_close,
                    [&list](const std::string& name) { list.species.push_back(name); });
    EXPECT_EQ(list.table.entry_names[5][5], "") << "table not reset";
    return list;
  }

  fakes::FakeFileSystem fs_;
};

TEST_F(MacroListTest, SampleFile) {
  const MacroList list = read(
      "[Canine]\r\n"
      "Thorax LAT thorax_lat [10 60 5] [*12 65 6]\r\n"
      "Abdomen VD abdomen_vd\r\n"
      "[Feline]\r\n"
      "Thorax VD thorax_vd_cat [4 55 2.5]\r\n"
      "[AUTOCLOSE]\r\n"
      "YES\r\n");
  const MacroTable& t = list.table;
  EXPECT_EQ(list.species, (Names{"Canine", "Feline"}));
  EXPECT_EQ(list.names(0), (Names{"Canine", "Thorax LAT ", "Abdomen VD ", "END"}));
  EXPECT_EQ(list.names(1), (Names{"Feline", "Thorax VD ", "END"}));
  EXPECT_EQ(list.names(2), (Names{""}));
  EXPECT_EQ(t.entry_macros[0][1], "thorax_lat");
  EXPECT_EQ(t.entry_macros[0][2], "abdomen_vd");
  EXPECT_EQ(t.entry_macros[1][1], "thorax_vd_cat");
  EXPECT_EQ(t.entry_techs[0][1], "[10 60 5] [*12 65 6]");
  EXPECT_EQ(t.entry_techs[0][2], " ");
  EXPECT_EQ(t.entry_techs[1][1], "[4 55 2.5]");
  EXPECT_EQ(t.entry_macros[0][3], "");
  EXPECT_EQ(list.auto_close, "YES");
}

struct EntryCase {
  const char* line;
  Edition edition;
  const char* name;
  const char* macro;
  const char* tech;
};

TEST_F(MacroListTest, EntryLines) {
  const EntryCase cases[] = {
      {"Skull DV skull_dv", Edition::Full, "Skull DV ", "skull_dv", " "},
      {"Skull DV skull_dv", Edition::Lite, "Skull DV ", "skull_dv", ""},
      {"  Skull DV skull_dv [10 60 5]  ", Edition::Full, "Skull DV ", "skull_dv", "[10 60 5]"},
      {"Skull DV skull_dv   [10 60 5]", Edition::Full, "Skull DV ", "skull_dv", "[10 60 5]"},
      {"Thorax LAT thorax_lat [10 60 5]", Edition::Full, "Thorax LAT ", "thorax_lat", "[10 60 5]"},
      {"Thorax LAT thorax_lat [10 60 5]", Edition::Lite, "Thorax LAT thorax_lat [10 60 ", "5]", ""},
      {"Thorax\tLAT thorax_lat", Edition::Full, "Thorax\tLAT ", "thorax_lat", " "},
      {"Thorax LAT\tthorax_lat", Edition::Full, "Thorax ", "LAT\tthorax_lat", " "},
      {"Skull DV   skull_dv", Edition::Full, "Skull DV   ", "skull_dv", " "},
      {"skull_dv", Edition::Full, "s", "kull_dv", " "},
      {" skull_dv", Edition::Full, "s", "kull_dv", " "},
      {"", Edition::Full, "", "", " "},
      {"a b[x", Edition::Full, "a ", "b", "[x"},
      {"Skull DV skull_dv [", Edition::Full, "Skull DV ", "skull_dv", "["},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("line '") + c.line + "'" +
                 (c.edition == Edition::Lite ? " (lite)" : ""));
    const MacroList list = read(std::string("[Dog]\r\n") + c.line + "\r\n", c.edition);
    EXPECT_EQ(list.table.entry_names[0][1], c.name);
    EXPECT_EQ(list.table.entry_macros[0][1], c.macro);
    EXPECT_EQ(list.table.entry_techs[0][1], c.tech);
  }
}

TEST_F(MacroListTest, HeaderNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Canine]", "Canine"},
      {"[Canine", "Canin"},
      {"  [ Dog ]  ", " Dog "},
      {"[]", ""},
      {"[", ""},
      {"[AUTO CLOSE]", "AUTO CLOSE"},
  };
  for (const auto& [header, name] : cases) {
    const MacroList list = read(std::string(header) + "\r\nA a\r\n");
    EXPECT_EQ(list.species, (Names{name})) << header;
    EXPECT_EQ(list.table.entry_names[0][0], name) << header;
    EXPECT_EQ(list.table.entry_names[0][1], "A ") << header;
  }
}

TEST_F(MacroListTest, AutoCloseValue) {
  const std::pair<const char*, const char*> cases[] = {
      {"[AUTOCLOSE]\r\nYES\r\n", "YES"},
      {"[AUTOCLOSE]\r\nyes", "YES"},
      {"[autoClose]\r\nYeS\r\n", "YES"},
      {"[AUTOCLOSE]\r\n yes\r\n", "NO"},
      {"[AUTOCLOSE]\r\nyes \r\n", "NO"},
      {"[AUTOCLOSE]\r\n", "NO"},
      {"[AUTOCLOSE]", "NO"},
      {"[AUTOCLOSE]\r\n\r\nYES\r\n", "NO"},
      {"[AUTOCLOSE]\r\nno\r\n", "NO"},
      {"[Dog]\r\na b\r\n", "NO"},
      {"[AUTOCLOSE]\r\nYES\r\n[AUTOCLOSE]\r\nNO\r\n", "NO"},
  };
  for (const auto& [contents, value] : cases) {
    const MacroList list = read(contents);
    EXPECT_EQ(list.auto_close, value) << contents;
    EXPECT_TRUE(list.species.empty() || list.species == Names{"Dog"}) << contents;
  }
}

TEST_F(MacroListTest, ASpeciesAtTheEndGetsNoEndMarker) {
  const MacroList list = read("[Dog]\r\nSkull DV skull_dv");
  EXPECT_EQ(list.names(0), (Names{"Dog", "Skull DV "}));
}

TEST_F(MacroListTest, BlankLineIsAnEntry) {
  const MacroList list = read("[Dog]\r\na a1\r\n\r\nb b1\r\n[Cat]\r\n");
  EXPECT_EQ(list.table.entry_names[0][2], "");
  EXPECT_EQ(list.table.entry_techs[0][2], " ");
  EXPECT_EQ(list.table.entry_names[0][3], "b ");
  EXPECT_EQ(list.table.entry_names[0][4], "END");
}

TEST_F(MacroListTest, LinesAfterTheAutoCloseValueOverwriteThePreviousSpecies) {
  const MacroList list = read("[Dog]\r\na a1 [1 2 3]\r\nb b1\r\n[AUTOCLOSE]\r\nYES\r\nc c1\r\n");
  const MacroTable& t = list.table;
  EXPECT_EQ(list.names(0), (Names{"Dog", "c ", "b ", "END"}));
  EXPECT_EQ(t.entry_macros[0][1], "c1");
  EXPECT_EQ(t.entry_techs[0][1], " ");
  EXPECT_EQ(list.auto_close, "YES");
}

TEST_F(MacroListTest, SpeciesAfterTheAutoCloseSectionWritesEndIntoSlotOne) {
  const MacroList list = read("[Dog]\r\na a1\r\nb b1\r\n[AUTOCLOSE]\r\nNO\r\n[Cat]\r\nx x1\r\n");
  const MacroTable& t = list.table;
  EXPECT_EQ(list.species, (Names{"Dog", "Cat"}));
  EXPECT_EQ(t.entry_names[0][1], "END");
  EXPECT_EQ(t.entry_names[0][2], "b ");
  EXPECT_EQ(t.entry_names[0][3], "END");
  EXPECT_EQ(t.entry_macros[0][1], "a1");
  EXPECT_EQ(t.entry_techs[0][1], " ");
  EXPECT_EQ(list.names(1), (Names{"Cat", "x "}));
}

TEST_F(MacroListTest, ByteOrderMarkDoesNotHideTheFirstHeader) {
  const MacroList list = read("\xEF\xBB\xBF[Dog]\r\na a1\r\n");
  EXPECT_EQ(list.species, (Names{"Dog"}));
  EXPECT_EQ(list.names(0), (Names{"Dog", "a "}));
}

TEST_F(MacroListTest, EntriesBeforeAnyHeaderAreIgnored) {
  const MacroList list = read("stray line\r\n\r\n[AUTOCLOSE]\r\nNO\r\nmore\r\n[Dog]\r\na a1\r\n");
  EXPECT_EQ(list.species, (Names{"Dog"}));
  EXPECT_EQ(list.names(0), (Names{"Dog", "a "}));
  EXPECT_EQ(list.table.entry_macros[0][1], "a1");
}

std::string species_section(int number, int entries) {
  std::string section = "[S" + std::to_string(number) + "]\r\n";
  for (int e = 1; e <= entries; ++e) {
    section +=
        "r" + std::to_string(e) + " m" + std::to_string(e) + " [" + std::to_string(e) + "]\r\n";
  }
  return section;
}

TEST_F(MacroListTest, TwentyFirstSpeciesIsIgnored) {
  std::string contents;
  for (int s = 1; s <= 22; ++s) contents += species_section(s, 1);
  contents += "[AUTOCLOSE]\r\nYES\r\nlate entry\r\n";
  const MacroList list = read(contents);
  ASSERT_EQ(list.species.size(), 20u);
  EXPECT_EQ(list.species.back(), "S20");
  EXPECT_EQ(list.names(19), (Names{"S20", "r1 ", "END"}));
  EXPECT_EQ(list.auto_close, "YES");
}

TEST_F(MacroListTest, EntriesBeyondTheRowAreIgnored) {
  const MacroList list = read(species_section(1, 20) + species_section(2, 18) + "[S3]\r\n");
  const MacroTable& t = list.table;
  EXPECT_EQ(t.entry_names[0][19], "r19 ");
  EXPECT_EQ(t.entry_macros[0][19], "m19");
  EXPECT_EQ(t.entry_techs[0][19], "[19]");
  EXPECT_EQ(list.names(1).size(), 20u);
  EXPECT_EQ(t.entry_names[1][19], "END");
  EXPECT_EQ(list.names(2), (Names{"S3"}));
}

TEST_F(MacroListTest, OpenFailureRaisesItsCode) {
  for (int code : {2, 3, 5, 32}) {
    fs_.open_errors[kMacroListPath] = code;
    try {
      read("[Dog]\r\n");
      ADD_FAILURE() << "no error for code " << code;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), code);
    }
  }
}

TEST_F(MacroListTest, DataReadBeforeAReadFailureStays) {
  fs_.files[kMacroListPath] = "[Dog]\r\na a1\r\n" + std::string(200, 'x') + "\r\n[Cat]\r\n";
  fs_.fail_read_after = 128;
  MacroTable table;
  std::string auto_close;
  Names species;
  EXPECT_THROW(read_macro_list(fs_, kMacroListPath, Edition::Full, table, auto_close,
                               [&species](const std::string& name) { species.push_back(name); }),
               EInOutError);
  EXPECT_EQ(species, (Names{"Dog"}));
  EXPECT_EQ(table.entry_names[0][1], "a ");
  EXPECT_EQ(auto_close, "NO");
}

// The checker explains a station from these reports, so each line must come with its fate.
TEST_F(MacroListTest, TheObserverSeesEveryLineWithWhatBecameOfIt) {
  const std::string file =
      "\xEF\xBB\xBFstray\r\n"
      "[Dog]\r\n"
      "a x\r\n"
      "[AUTOCLOSE]\r\n"
      "yes\r\n"
      "b y\r\n"
      "[Cat]\r\n"
      "[AUTOCLOSE]";
  fs_.files[kMacroListPath] = file;
  std::vector<MacroLine> seen;
  MacroTable observed;
  std::string auto_close;
  read_macro_list(fs_, kMacroListPath, Edition::Full, observed, auto_close, {},
                  [&seen](const MacroLine& line) { seen.push_back(line); });
  const MacroList plain = read(file);
  EXPECT_EQ(observed.entry_names, plain.table.entry_names) << "the observer changed the reading";
  EXPECT_EQ(auto_close, "NO");  // the value-less auto-close section at the end

  using K = MacroLineKind;
  struct Fate {
    int number;
    K kind;
    int row, slot, end_row, end_slot;
  };
  const Fate expected[] = {
      {1, K::EntryDropped, -1, -1, -1, -1},  {2, K::Species, 0, -1, -1, -1},
      {3, K::Entry, 0, 1, -1, -1},           {4, K::AutoClose, 0, -1, 0, 2},
      {5, K::AutoCloseValue, 0, -1, -1, -1}, {6, K::Entry, 0, 1, -1, -1},
      {7, K::Species, 1, -1, 0, 2},          {8, K::AutoClose, 1, -1, 1, 1},
      {9, K::AutoCloseValue, 1, -1, -1, -1},
  };
  ASSERT_EQ(seen.size(), std::size(expected));
  for (std::size_t i = 0; i < seen.size(); ++i) {
    const Fate& f = expected[i];
    const MacroLine& l = seen[i];
    EXPECT_EQ(
        (std::array{l.number, static_cast<int>(l.kind), l.row, l.slot, l.end_row, l.end_slot}),
        (std::array{f.number, static_cast<int>(f.kind), f.row, f.slot, f.end_row, f.end_slot}))
        << "line " << i + 1;
  }
  EXPECT_TRUE(seen[0].byte_order_mark);
  EXPECT_EQ(seen[0].text, "stray");
  EXPECT_TRUE(seen[8].past_end);
  EXPECT_FALSE(seen[4].past_end);
}

TEST(MacroTable, AtGivesEmptyTextOutsideTheTable) {
  MacroTable table;
  table.entry_names[19][19] = "last";
  EXPECT_EQ(MacroTable::at(table.entry_names, 19, 19), "last");
  EXPECT_EQ(MacroTable::at(table.entry_names, 0, 0), "");
  for (auto [row, slot] : {std::pair{-1, 0}, {0, -1}, {20, 0}, {0, 20}, {1000, 1000}}) {
    EXPECT_EQ(MacroTable::at(table.entry_names, row, slot), "") << row << "," << slot;
  }
}

}  // namespace
}  // namespace lumenpoll
