#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/errors.h"
#include "common/temp_folder.h"
#include "cycle/shell_enumerator.h"
#include "platform/posix/posix_folder_lister.h"

namespace lumenpoll {
namespace {

using test::TempFolder;

const std::string kImport = R"(C:\TOLVA\import)";

struct Reported {
  std::string path;
  bool is_file_system;
  bool is_folder;
  bool operator==(const Reported&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Reported& r) {
  return out << r.path << (r.is_file_system ? " fs" : "") << (r.is_folder ? " folder" : "");
}

class FolderScanTest : public ::testing::Test {
 protected:
  FolderScanTest() {
    scanner_.RootFolder = kImport;
    scanner_.Sorted = true;
    scanner_.OnEnumItem = [this](TStShellEnumerator&, const TStShellItem& item, bool&) {
      reported_.push_back({item.Path(), item.IsFileSystem(), item.IsFolder()});
    };
  }

  std::string import_folder() const { return drive_ / "TOLVA/import"; }

  std::vector<Reported> scan() {
    reported_.clear();
    scanner_.Enumerate();
    return reported_;
  }

  std::string scan_error() {
    try {
      scan();
    } catch (const ESsInvalidFolder& e) {
      return e.what();
    }
    return "no error";
  }

  static std::vector<std::string> names(const FolderListing& listing) {
    std::vector<std::string> result;
    for (const auto& entry : listing.entries) result.push_back(entry.name);
    return result;
  }

  TempFolder drive_;
  PosixFolderLister lister_{DrivePath(drive_.path())};
  TStShellEnumerator scanner_{lister_};
  std::vector<Reported> reported_;
};

TEST_F(FolderScanTest, EmptyFolderCallsNoHandler) {
  drive_.make_folder("TOLVA/import");
  EXPECT_TRUE(scan().empty());
}

TEST_F(FolderScanTest, ReportsFilesAndFoldersButNotHiddenEntries) {
  drive_.write_file("TOLVA/import/shot01.NEF", "raw");
  drive_.write_file("TOLVA/import/.y.NEF", "hidden");
  drive_.make_folder("TOLVA/import/x.NEF");
  EXPECT_EQ(scan(), (std::vector<Reported>{{R"(C:\TOLVA\import\shot01.NEF)", true, false},
                                           {R"(C:\TOLVA\import\x.NEF)", true, true}}));
}

// The station cuts an image's name at ":" or "\" and splits script arguments at '"': such a
// name comes with "?" in place, never cut, so that the cycle refuses it and says so.
TEST_F(FolderScanTest, NamesTheStationCannotHoldComeWithAQuestionMarkInPlace) {
  for (const char* name : {"a:b.NEF", "c\"d.NEF", "e\\f.NEF", "g*.NEF", "i<j>.NEF", "k|l.NEF",
                           "nl\nn.NEF", "ok.NEF"}) {
    drive_.write_file("TOLVA/import/" + std::string(name), "raw");
  }
  std::vector<std::string> paths;
  for (const Reported& item : scan()) paths.push_back(item.path.substr(kImport.size() + 1));
  EXPECT_EQ(paths, (std::vector<std::string>{"a?b.NEF", "c?d.NEF", "e?f.NEF", "g?.NEF", "i?j?.NEF",
                                             "k?l.NEF", "nl?n.NEF", "ok.NEF"}));
}

TEST_F(FolderScanTest, ReportsInNameOrderWithoutRegardToCase) {
  for (const char* name : {"b.NEF", "A.nef", "c.nef"})
    drive_.write_file("TOLVA/import/" + std::string(name), "");
  EXPECT_EQ(scan(), (std::vector<Reported>{{R"(C:\TOLVA\import\A.nef)", true, false},
                                           {R"(C:\TOLVA\import\b.NEF)", true, false},
                                           {R"(C:\TOLVA\import\c.nef)", true, false}}));
}

TEST_F(FolderScanTest, AFolderDeletedAndRecreatedIsScannedAgain) {
  drive_.make_folder("TOLVA/import");
  EXPECT_TRUE(scan().empty());

  std::filesystem::remove_all(import_folder());
  EXPECT_EQ(scan_error(), "Invalid folder");
  EXPECT_EQ(scan_error(), "Invalid folder");

  drive_.write_file("TOLVA/import/shot02.NEF", "");
  EXPECT_EQ(scan(), (std::vector<Reported>{{R"(C:\TOLVA\import\shot02.NEF)", true, false}}));
}

TEST_F(FolderScanTest, ARootThatIsAFileIsAnInvalidFolder) {
  drive_.write_file("TOLVA/import", "not a folder");
  EXPECT_EQ(scan_error(), "Invalid folder");
}

TEST_F(FolderScanTest, AnUnreadableRootGivesAnEmptyScan) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a folder whatever its mode";
  drive_.write_file("TOLVA/import/shot01.NEF", "");
  ASSERT_EQ(::chmod(import_folder().c_str(), 0), 0);
  EXPECT_TRUE(scan().empty());
}

TEST_F(FolderScanTest, ListerTellsMissingFromNotAFolder) {
  drive_.write_file("TOLVA/file", "");
  EXPECT_EQ(lister_.list(kImport).status, FolderStatus::Missing);
  EXPECT_EQ(lister_.list(R"(D:\TOLVA)").status, FolderStatus::Missing);
  EXPECT_EQ(lister_.list(R"(C:\TOLVA\file)").status, FolderStatus::NotAFolder);
  EXPECT_EQ(lister_.list(R"(C:\TOLVA\file\below)").status, FolderStatus::Missing);
  EXPECT_EQ(lister_.list(R"(c:\tolva)").status, FolderStatus::Listed);
}

TEST_F(FolderScanTest, ListerOrdersByUpperCasedNameThenBytes) {
  // Long names share their first twelve characters, which decide most comparisons.
  for (const char* name :
       {"c.nef", "b.NEF", "a_b", "B.NEF", "aab", "A.nef", "shot_2026_12_08_b.NEF",
        "SHOT_2026_12_08_A.nef", "shot_2026_12_08_", "shot_2026_12_08_a.NEF"}) {
    drive_.write_file("TOLVA/import/" + std::string(name), "");
  }
  const FolderListing listing = lister_.list(kImport);
  EXPECT_EQ(names(listing),
            (std::vector<std::string>{"A.nef", "aab", "a_b", "B.NEF", "b.NEF", "c.nef",
                                      "shot_2026_12_08_", "SHOT_2026_12_08_A.nef",
                                      "shot_2026_12_08_a.NEF", "shot_2026_12_08_b.NEF"}));
}

// Only what the station's shell could list: a FIFO or a link that leads nowhere would be
// handed to the raw script and stall the station.
TEST_F(FolderScanTest, ListerFollowsLinksAndLeavesOutWhatIsNeitherFileNorFolder) {
  drive_.make_folder("TOLVA/import/real");
  drive_.make_folder("elsewhere");
  drive_.write_file("raw.bin", "raw");
  const std::string import = import_folder();
  std::filesystem::create_directory_symlink(drive_ / "elsewhere", import + "/to_folder");
  std::filesystem::create_symlink(drive_ / "raw.bin", import + "/linked.NEF");
  std::filesystem::create_symlink(drive_ / "gone", import + "/broken.NEF");
  std::filesystem::create_symlink(import + "/loop.NEF", import + "/loop.NEF");
  ASSERT_EQ(::mkfifo((import + "/fifo.NEF").c_str(), 0600), 0);

  const FolderListing listing = lister_.list(kImport);
  std::vector<std::string> shown;
  for (const auto& entry : listing.entries)
    if (!entry.is_hidden) shown.push_back(entry.name + (entry.is_folder ? "/" : ""));
  EXPECT_EQ(shown, (std::vector<std::string>{"linked.NEF", "real/", "to_folder/"}));
}

TEST_F(FolderScanTest, ARootThatLeadsNowhereIsAnInvalidFolder) {
  drive_.make_folder("TOLVA");
  std::filesystem::create_symlink(import_folder(), import_folder());
  EXPECT_EQ(scan_error(), "Invalid folder");
}

TEST_F(FolderScanTest, StampChangesWhileARawFileGrowsAndIsFoundWithoutRegardToCase) {
  drive_.write_file("TOLVA/import/shot01.NEF", "part");
  const StampResult first = lister_.stamp(R"(c:\tolva\import\SHOT01.nef)");
  ASSERT_EQ(first.state, StampResult::State::Stamped);
  EXPECT_EQ(first.stamp.size, 4u);
  EXPECT_EQ(lister_.stamp(R"(C:\TOLVA\import\shot01.NEF)").stamp, first.stamp);

  drive_.write_file("TOLVA/import/shot01.NEF", "part and the rest");
  EXPECT_NE(lister_.stamp(R"(C:\TOLVA\import\shot01.NEF)").stamp, first.stamp);
  EXPECT_EQ(lister_.stamp(R"(C:\TOLVA\import\gone.NEF)").state, StampResult::State::Gone);
}

// The raw script could not read it either: the operator is told why.
TEST_F(FolderScanTest, ARawFileThisAccountCannotReadIsUnreadableWithTheSystemsMessage) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file whatever its mode";
  drive_.write_file("TOLVA/import/locked.NEF", "raw");
  ASSERT_EQ(::chmod((import_folder() + "/locked.NEF").c_str(), 0), 0);
  const StampResult look = lister_.stamp(R"(C:\TOLVA\import\locked.NEF)");
  EXPECT_EQ(look.state, StampResult::State::Unreadable);
  EXPECT_EQ(look.message, "Access is denied.\r\n");
}

}  // namespace
}  // namespace lumenpoll
