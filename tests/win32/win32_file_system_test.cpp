#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "base/errors.h"
#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

using test::TempFolder;

// The code of the EInOutError that action raises; 0 when it raises none.
int error_code(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& error) {
    return error.ErrorCode();
  }
  return 0;
}

std::string read_all(FileSystem& files, const std::string& path) {
  auto reader = files.open_read(path);
  std::string bytes;
  char buffer[16];
  while (const std::size_t n = reader->read(buffer, sizeof buffer)) bytes.append(buffer, n);
  return bytes;
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  TempFolder folder;
  Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, MissingFilesFoldersAndFoldersAsFilesGiveTheSystemsCodes) {
  EXPECT_EQ(error_code([&] { files.open_read(folder / "macroset.txt"); }), 2);
  EXPECT_EQ(error_code([&] { files.open_read(folder / "ImageJ\\macroset.txt"); }), 3);
  EXPECT_EQ(error_code([&] { files.create_exclusive(folder / "ImageJ\\macroset.txt"); }), 3);
  EXPECT_EQ(error_code([&] { files.open_read(folder.path()); }), 5);
  EXPECT_EQ(error_code([&] { files.create_exclusive(folder.path()); }), 5);
}

TEST_F(Win32FileSystemTest, AFileBeingWrittenCanBeReadButNotWrittenByAnother) {
  folder.write_file("macroset.txt", "old line\r\n");
  auto writer = files.create_exclusive(folder / "macroset.txt");
  writer->write("2 5\r\n", 5);

  EXPECT_EQ(read_all(files, folder / "macroset.txt"), "2 5\r\n");
  EXPECT_EQ(error_code([&] { files.create_exclusive(folder / "macroset.txt"); }), 32);
  EXPECT_EQ(read_all(files, folder / "macroset.txt"), "2 5\r\n")
      << "a refused writer empties nothing";

  writer->close();
  files.create_exclusive(folder / "macroset.txt")->close();
  EXPECT_EQ(read_all(files, folder / "macroset.txt"), "");
}

// attrib +r: Windows refuses the writer, so must Wine run as root; the checker asks the same
// without changing a byte.
TEST_F(Win32FileSystemTest, AReadOnlyFileRefusesTheWriterAndTheCheckAndKeepsItsBytes) {
  folder.write_file("macroset.txt", "1 2\r\n");
  EXPECT_EQ(error_code([&] { files.check_rewritable(folder / "macroset.txt"); }), 0);
  ASSERT_TRUE(::SetFileAttributesA((folder / "macroset.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(error_code([&] { files.create_exclusive(folder / "macroset.txt"); }), 5);
  EXPECT_EQ(error_code([&] { files.check_rewritable(folder / "macroset.txt"); }), 5);
  EXPECT_EQ(read_all(files, folder / "macroset.txt"), "1 2\r\n");
  EXPECT_EQ(error_code([&] { files.check_rewritable(folder / "missing.txt"); }), 2);
  ::SetFileAttributesA((folder / "macroset.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace lumenpoll
