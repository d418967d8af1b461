#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/errors.h"
#include "temp_folder.h"

namespace lumenpoll {
namespace {

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

// A read-only file would give 5 as well, but Wine run as root (CI) lets root write it.
TEST_F(Win32FileSystemTest, MissingFilesFoldersAndFoldersAsFilesGiveTheSystemsCodes) {
  EXPECT_EQ(error_code([&] { files.open_read(folder / "macroset.txt"); }), 2);
  EXPECT_EQ(error_code([&] { files.open_read(folder / "ImageJ\\macroset.txt"); }), 3);
  EXPECT_EQ(error_code([&] { files.create_exclusive(folder / "ImageJ\\macroset.txt"); }), 3);
  EXPECT_EQ(error_code([&] { files.open_read(folder.path()); }), 5);
  EXPECT_EQ(error_code([&] { files.create_exclusive(folder.path()); }), 5);
}

TEST_F(Win32FileSystemTest, AFileBeingWrittenCanBeReadButNotWrittenByAnother) {
  folder.write("macroset.txt", "old line\r\n");
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

}  // namespace
}  // namespace lumenpoll
