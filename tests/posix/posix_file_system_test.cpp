#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>

#include "base/errors.h"
#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

using test::TempFolder;

const std::string kFile = R"(C:\Program Files\ImageJ\macroset.txt)";

class PosixFileSystemTest : public ::testing::Test {
 protected:
  std::string posix_file() const { return drive_ / "Program Files/ImageJ/macroset.txt"; }

  std::string read_all(const std::string& station_path) {
    auto reader = files_.open_read(station_path);
    std::string bytes;
    char buffer[128];
    while (std::size_t n = reader->read(buffer, sizeof buffer)) bytes.append(buffer, n);
    return bytes;
  }

  void write_all(const std::string& station_path, const std::string& bytes) {
    auto writer = files_.create_exclusive(station_path);
    writer->write(bytes.data(), bytes.size());
    writer->close();
  }

  // The code and message of the EInOutError that action raises.
  static std::pair<int, std::string> error_of(const std::function<void()>& action) {
    try {
      action();
    } catch (const EInOutError& e) {
      return {e.ErrorCode(), e.what()};
    }
    return {0, "no error"};
  }

  TempFolder drive_;
  PosixFileSystem files_{DrivePath(drive_.path())};
};

TEST_F(PosixFileSystemTest, ReadsBackEveryByteWritten) {
  std::string bytes = "0 3\r\nline\rwith\x1a\n";
  bytes += std::string("\0\xff", 2);
  for (int i = 0; i < 300; ++i) bytes += static_cast<char>('a' + i % 26);
  drive_.make_folder("Program Files/ImageJ");
  write_all(kFile, bytes);
  EXPECT_EQ(TempFolder::read_file(posix_file()), bytes);
  EXPECT_EQ(read_all(R"(c:\program files\imagej\MACROSET.TXT)"), bytes);
}

TEST_F(PosixFileSystemTest, CreateEmptiesAnExistingFile) {
  drive_.write_file("Program Files/ImageJ/macroset.txt", "a much longer old content\r\n");
  write_all(kFile, "1 2\r\n");
  EXPECT_EQ(TempFolder::read_file(posix_file()), "1 2\r\n");
}

TEST_F(PosixFileSystemTest, FailuresCarryTheStationCodes) {
  drive_.make_folder("Program Files/ImageJ/a folder");
  drive_.write_file("Program Files/ImageJ/plain.txt", "x");
  const struct {
    const char* what;
    std::function<void()> action;
    int code;
    std::string message;
  } cases[] = {
      {"read missing file", [&] { files_.open_read(R"(C:\Program Files\ImageJ\none.txt)"); }, 2,
       "File not found"},
      {"read in missing folder", [&] { files_.open_read(R"(C:\Program Files\None\a.txt)"); }, 3,
       "Invalid filename"},
      {"read below a file", [&] { files_.open_read(R"(C:\Program Files\ImageJ\plain.txt\a)"); }, 3,
       "Invalid filename"},
      {"read off drive C:", [&] { files_.open_read(R"(D:\macroset.txt)"); }, 3, "Invalid filename"},
      {"read a folder", [&] { files_.open_read(R"(C:\Program Files\ImageJ\a folder)"); }, 5,
       "File access denied"},
      {"create in missing folder",
       [&] { files_.create_exclusive(R"(C:\Program Files\None\a.txt)"); }, 3, "Invalid filename"},
      {"create over a folder",
       [&] { files_.create_exclusive(R"(C:\Program Files\ImageJ\a folder)"); }, 5,
       "File access denied"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(error_of(c.action), std::make_pair(c.code, c.message)) << c.what;
  }
}

TEST_F(PosixFileSystemTest, ALockHeldElsewhereRefusesTheWriterAndKeepsTheBytes) {
  const std::string path = drive_.write_file("Program Files/ImageJ/macroset.txt", "2 5\r\n");
  const int other = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);

  EXPECT_EQ(error_of([&] { files_.create_exclusive(kFile); }),
            std::make_pair(32, std::string("I/O error 32")));
  EXPECT_EQ(TempFolder::read_file(path), "2 5\r\n");

  ::close(other);
  write_all(kFile, "0 0\r\n");
  EXPECT_EQ(TempFolder::read_file(path), "0 0\r\n");
}

TEST_F(PosixFileSystemTest, AWriterExcludesOtherWritersButNotReaders) {
  drive_.write_file("Program Files/ImageJ/macroset.txt", "old\r\n");
  auto writer = files_.create_exclusive(kFile);
  writer->write("new\r\n", 5);

  EXPECT_EQ(error_of([&] { files_.create_exclusive(kFile); }).first, 32);
  EXPECT_EQ(read_all(kFile), "new\r\n");

  writer->close();
  EXPECT_NO_THROW(write_all(kFile, "next\r\n"));
}

TEST_F(PosixFileSystemTest, AReadOnlyFileRefusesTheWriter) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files regardless of their mode";
  const std::string path = drive_.write_file("Program Files/ImageJ/macroset.txt", "1 1\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(error_of([&] { files_.create_exclusive(kFile); }).first, 5);
  EXPECT_EQ(TempFolder::read_file(path), "1 1\r\n");
}

}  // namespace
}  // namespace lumenpoll
