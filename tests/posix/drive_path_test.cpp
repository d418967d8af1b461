#include "platform/posix/drive_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

class DrivePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive_.write_file("Program Files/ImageJ/ij_raw.bat", "");
    drive_.write_file("Program Files/ImageJ/macrolist.txt", "");
  }

  std::string root() const { return drive_.path(); }

  test::TempFolder drive_;
  DrivePath paths_{drive_.path()};
};

TEST_F(DrivePathTest, MapsComponentsToExistingEntriesOrAsWritten) {
  const struct {
    std::string station;
    std::string posix;
  } cases[] = {
      {R"(C:\Program Files\ImageJ\ij_raw.bat)", "/Program Files/ImageJ/ij_raw.bat"},
      {R"(c:\program files\imagej\macrolist.txt)", "/Program Files/ImageJ/macrolist.txt"},
      {R"(C:\PROGRAM FILES\IMAGEJ\MACROSET.TXT)", "/Program Files/ImageJ/MACROSET.TXT"},
      {R"(C:\program files\New Folder\x.txt)", "/Program Files/New Folder/x.txt"},
      {R"(C:\TOLVA\import)", "/TOLVA/import"},
      {"C:/program files//imagej/", "/Program Files/ImageJ"},
      {"C:", ""},
      {R"(C:\)", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(paths_.map(c.station), root() + c.posix) << c.station;
  }
}

TEST_F(DrivePathTest, BothStationSpellingsLandInTheSameFolder) {
  const auto list = paths_.map(R"(c:\program files\imagej\macrolist.txt)");
  const auto script = paths_.map(R"(C:\Program Files\ImageJ\ij_raw.bat)");
  ASSERT_TRUE(list && script);
  EXPECT_EQ(std::filesystem::path(*list).parent_path(),
            std::filesystem::path(*script).parent_path());
  EXPECT_TRUE(std::filesystem::exists(*list));
}

TEST_F(DrivePathTest, PrefersTheExactSpellingThenTheFirstInListingOrder) {
  drive_.make_folder("Data");
  drive_.make_folder("DATA");
  EXPECT_EQ(paths_.map(R"(C:\Data)"), root() + "/Data");
  EXPECT_EQ(paths_.map(R"(C:\DATA)"), root() + "/DATA");
  EXPECT_EQ(paths_.map(R"(C:\data)"), root() + "/DATA");
}

TEST_F(DrivePathTest, DotsNeverLeaveTheDrive) {
  const struct {
    std::string station;
    std::string posix;
  } cases[] = {
      {R"(C:\..\..\etc\passwd)", "/etc/passwd"},
      {R"(C:\Program Files\..\..\..\x)", "/x"},
      {R"(C:\a\..\b)", "/b"},
      {R"(C:\.\program files\.\imagej)", "/Program Files/ImageJ"},
      {"C:..", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(paths_.map(c.station), root() + c.posix) << c.station;
  }
}

TEST_F(DrivePathTest, PathsOffDriveCMapToNothing) {
  const std::string off_drive[] = {
      R"(D:\TOLVA\import)",      R"(\\server\share\x)", R"(TOLVA\import)", R"(\TOLVA)", "",
      std::string("C:\\a\0b", 6)};
  for (const std::string& station : off_drive) {
    EXPECT_FALSE(paths_.map(station).has_value()) << station;
  }
}

}  // namespace
}  // namespace lumenpoll
