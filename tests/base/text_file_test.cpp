#include "base/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "fakes/fake_file_system.h"

namespace lumenpoll {
namespace {

using Lines = std::vector<std::string>;

const char* const kPath = "c:\\data\\list.txt";

Lines read_all(fakes::FakeFileSystem& fs) {
  TextFileReader in(fs, kPath);
  Lines lines;
  while (!in.eof()) lines.push_back(in.read_line());
  return lines;
}

Lines read_all(const std::string& contents, std::size_t max_read = SIZE_MAX) {
  fakes::FakeFileSystem fs;
  fs.files[kPath] = contents;
  fs.max_read = max_read;
  return read_all(fs);
}

struct LineCase {
  const char* name;
  std::string contents;
  Lines lines;
};

TEST(TextFileReader, LineRules) {
  const LineCase cases[] = {
      {"empty file", "", {}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"empty line at the end", "a\r\n\r\n", {"a", ""}},
      {"only a line end", "\r\n", {""}},
      {"stray CR dropped", "a\rb\r\nc", {"ab", "c"}},
      {"CR-only file is one line", "a\rb\rc\r", {"abc"}},
      {"CR before CR LF", "a\r\r\nb", {"a", "b"}},
      {"Ctrl-Z at a line start ends the file", "a\r\n\x1A\r\nb\r\n", {"a"}},
      {"Ctrl-Z as first byte",
       "\x1A"
       "abc",
       {}},
      {"Ctrl-Z inside a line",
       "ab\x1A"
       "cd\r\nef",
       {"ab", "ef"}},
      {"Ctrl-Z inside the last line",
       "ab\x1A"
       "cd",
       {"ab"}},
      {"NUL and high bytes kept", std::string("a\0\xE9", 3), {std::string("a\0\xE9", 3)}},
      {"byte-order mark skipped", "\xEF\xBB\xBF[Canine]\r\nx", {"[Canine]", "x"}},
      {"byte-order mark alone", "\xEF\xBB\xBF", {}},
      {"byte-order mark only at the start",
       "a\n\xEF\xBB\xBF"
       "b",
       {"a",
        "\xEF\xBB\xBF"
        "b"}},
      {"incomplete byte-order mark kept",
       "\xEF\xBB"
       "a",
       {"\xEF\xBB"
        "a"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_all(c.contents), c.lines) << c.name;
    EXPECT_EQ(read_all(c.contents, 1), c.lines) << c.name << ", one byte per read";
  }
}

TEST(TextFileReader, LinesLongerThanTheBuffer) {
  const std::string long_line(300, 'x');
  EXPECT_EQ(read_all(long_line + "\r\nnext"), (Lines{long_line, "next"}));

  // The CR is the buffer's last byte, its LF the first of the next fill.
  const std::string filler(127, 'y');
  EXPECT_EQ(read_all(filler + "\r\nz"), (Lines{filler, "z"}));
  EXPECT_EQ(read_all("\xEF\xBB\xBF" + std::string(124, 'y') + "\r\nz"),
            (Lines{std::string(124, 'y'), "z"}));
  // A stray CR at the boundary is still dropped.
  EXPECT_EQ(read_all(filler + "\rz"), (Lines{filler + "z"}));
}

TEST(TextFileReader, ReadingAtTheEndGivesEmptyLines) {
  fakes::FakeFileSystem fs;
  fs.files[kPath] =
      "a\r\n\x1A"
      "b";
  TextFileReader in(fs, kPath);
  EXPECT_EQ(in.read_line(), "a");
  EXPECT_TRUE(in.eof());
  EXPECT_EQ(in.read_line(), "");
  EXPECT_EQ(in.read_line(), "");
  EXPECT_TRUE(in.eof());
}

TEST(TextFileReader, MissingFileRaisesItsCode) {
  fakes::FakeFileSystem fs;
  try {
    TextFileReader in(fs, kPath);
    FAIL() << "opened a missing file";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 2);
  }
}

TEST(TextFileReader, ReadFailureMidFileRaisesAfterTheLinesAlreadyRead) {
  fakes::FakeFileSystem fs;
  fs.files[kPath] = "first\r\n" + std::string(200, 'x') + "\r\nlast\r\n";
  fs.fail_read_after = 128;
  TextFileReader in(fs, kPath);
  EXPECT_EQ(in.read_line(), "first");
  try {
    in.read_line();
    FAIL() << "read past the failure";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 5);
  }
}

TEST(TextFileWriter, EndsEveryLineInCrLf) {
  fakes::FakeFileSystem fs;
  fs.files[kPath] = "old content that must go";
  const std::string long_line(300, 'w');
  TextFileWriter out(fs, kPath);
  out.write_line("0 0");
  out.write_line("");
  out.write_line(long_line);
  out.close();
  EXPECT_EQ(fs.files[kPath], "0 0\r\n\r\n" + long_line + "\r\n");
  EXPECT_NO_THROW(out.close());
}

TEST(TextFileWriter, CloseReportsAFailedWrite) {
  fakes::FakeFileSystem fs;
  fs.write_error = 101;
  TextFileWriter out(fs, kPath);
  out.write_line("1 2");
  try {
    out.close();
    FAIL() << "close reported success";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), 101);
    EXPECT_STREQ(e.what(), "Disk full");
  }
  EXPECT_THROW(out.write_line("late"), EInOutError);
}

}  // namespace
}  // namespace lumenpoll
