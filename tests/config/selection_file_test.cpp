#include "config/selection_file.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes/fake_file_system.h"

namespace lumenpoll {
namespace {

TEST(TextToInt, ReadsUpToTheFirstCharacterThatDoesNotFit) {
  const std::pair<const char*, int> cases[] = {
      {"12a", 12},
      {"  ", 0},
      {"", 0},
      {"abc", 0},
      {"  42", 42},
      {"\t5", 0},
      {"007", 7},
      {"-3", -3},
      {"+7", 7},
      {"- 3", 0},
      {"+-1", 0},
      {"1 2", 1},
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$10", -16},
      {"$", 0},
      {"0x", 0},
      {"$1G", 1},
      {"2147483647", 2147483647},
      {"2147483648", 214748364},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -214748364},
      {"99999999999", 999999999},
      {"$7FFFFFFF", 0x7FFFFFFF},
      {"$80000000", 0x8000000},
      {"-$80000000", -2147483647 - 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(text_to_int(text), value) << "'" << text << "'";
}

TEST(SelectionLine, SplitsAtTheFirstBlank) {
  struct Case {
    const char* line;
    int species;
    int region;
  };
  const Case cases[] = {
      {"2 5", 2, 5},     {" 2 5 \r", 2, 5}, {"3", 0, 3},     {"", 0, 0},
      {"-1 -1", -1, -1}, {"2  5", 2, 5},    {"1 2 3", 1, 2}, {"a b", 0, 0},
  };
  for (const auto& c : cases) {
    const SavedSelection s = parse_selection_line(c.line);
    EXPECT_EQ(s.species, c.species) << "'" << c.line << "'";
    EXPECT_EQ(s.region, c.region) << "'" << c.line << "'";
  }
}

TEST(SelectionFile, LoadReadsTheFirstLineOnly) {
  fakes::FakeFileSystem fs;
  const std::pair<const char*, const char*> cases[] = {
      {"2 5\r\n7 7\r\n", "2 5"},
      {"3", "3"},
      {"", ""},
      {"\r\n1 1", ""},
      {"\xEF\xBB\xBF"
       "1 2",
       "1 2"},
  };
  for (const auto& [contents, line] : cases) {
    fs.files[kSelectionPath] = contents;
    EXPECT_EQ(read_selection_line(fs, kSelectionPath), line);
  }
}

TEST(SelectionFile, LoadErrorsCarryTheirCode) {
  fakes::FakeFileSystem fs;
  try {
    read_selection_line(fs, kSelectionPath);
    FAIL() << "read a missing file";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 2);
    EXPECT_STREQ(e.what(), "File not found");
  }
  fs.open_errors[kSelectionPath] = 3;
  EXPECT_THROW(read_selection_line(fs, kSelectionPath), EInOutError);
}

TEST(SelectionFile, SaveWritesOneLineAndReadsBack) {
  fakes::FakeFileSystem fs;
  fs.files[kSelectionPath] = "old line that is longer\r\n";
  write_selection(fs, kSelectionPath, 0, 0);
  EXPECT_EQ(fs.files[kSelectionPath], "0 0\r\n");
  write_selection(fs, kSelectionPath, -1, 12);
  EXPECT_EQ(fs.files[kSelectionPath], "-1 12\r\n");
  const SavedSelection s = parse_selection_line(read_selection_line(fs, kSelectionPath));
  EXPECT_EQ(s.species, -1);
  EXPECT_EQ(s.region, 12);
}

TEST(SelectionFile, SaveFailuresAreReported) {
  const struct {
    bool on_create;
    int code;
    const char* message;
  } cases[] = {
      {true, 5, "File access denied"}, {true, 32, "I/O error 32"}, {false, 101, "Disk full"}};
  for (const auto& c : cases) {
    fakes::FakeFileSystem fs;
    if (c.on_create)
      fs.open_errors[kSelectionPath] = c.code;
    else
      fs.write_error = c.code;
    try {
      write_selection(fs, kSelectionPath, 1, 2);
      ADD_FAILURE() << "save reported success for code " << c.code;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace lumenpoll
