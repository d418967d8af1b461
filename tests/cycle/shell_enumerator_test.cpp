#include "cycle/shell_enumerator.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.h"
#include "fakes/fake_folder_lister.h"

namespace lumenpoll {
namespace {

using Opt = TStEnumOption;

constexpr const char* kRoot = "C:\\TOLVA\\import";

class ShellEnumeratorTest : public ::testing::Test {
 protected:
  ShellEnumeratorTest() {
    scanner.RootFolder = kRoot;
    scanner.OnEnumItem = [this](TStShellEnumerator&, const TStShellItem& item, bool& accept) {
      reported.push_back(item.Path());
      if (item.Path().find("reject") != std::string::npos) accept = false;
      if (item.Path().find("boom") != std::string::npos) throw std::runtime_error("boom");
    };
  }

  void add(const std::string& name, bool folder = false, bool hidden = false) {
    lister.folders[kRoot].entries.push_back({name, true, folder, hidden});
  }

  std::vector<std::string> kept() const {
    std::vector<std::string> paths;
    for (const auto& item : scanner.Items()) paths.push_back(item.Path());
    return paths;
  }

  fakes::FakeFolderLister lister;
  TStShellEnumerator scanner{lister};
  std::vector<std::string> reported;
};

TEST_F(ShellEnumeratorTest, ReportsChildrenInListingOrderWithTheirFullPaths) {
  add("shot01.NEF");
  add("sub", true);
  add("a.tif");
  bool sub_is_folder = false;
  auto record = scanner.OnEnumItem;
  scanner.OnEnumItem = [&](TStShellEnumerator& s, const TStShellItem& item, bool& accept) {
    if (item.Path().ends_with("sub")) sub_is_folder = item.IsFolder() && item.IsFileSystem();
    record(s, item, accept);
  };

  scanner.Enumerate();

  EXPECT_EQ(reported,
            (std::vector<std::string>{"C:\\TOLVA\\import\\shot01.NEF", "C:\\TOLVA\\import\\sub",
                                      "C:\\TOLVA\\import\\a.tif"}));
  EXPECT_TRUE(sub_is_folder);
  EXPECT_EQ(kept(), reported);
}

TEST_F(ShellEnumeratorTest, RootEndingInABackslashGetsNoSecondOne) {
  lister.folders["C:\\"].entries.push_back({"x.nef", true, false, false});
  scanner.RootFolder = "C:\\";
  scanner.Enumerate();
  EXPECT_EQ(reported, std::vector<std::string>{"C:\\x.nef"});
}

TEST_F(ShellEnumeratorTest, OptionsChooseWhichKindsOfEntryAreListed) {
  add("file");
  add("folder", true);
  add("hidden_file", false, true);
  add("hidden_folder", true, true);
  struct Case {
    std::set<Opt> options;
    std::vector<std::string> names;
  };
  const std::vector<Case> cases = {
      {{Opt::eoIncludeFolders, Opt::eoIncludeNonFolders}, {"file", "folder"}},
      {{Opt::eoIncludeNonFolders}, {"file"}},
      {{Opt::eoIncludeFolders}, {"folder"}},
      {{Opt::eoIncludeNonFolders, Opt::eoIncludeHidden}, {"file", "hidden_file"}},
      {{Opt::eoIncludeFolders, Opt::eoIncludeNonFolders, Opt::eoIncludeHidden},
       {"file", "folder", "hidden_file", "hidden_folder"}},
      {{Opt::eoIncludeHidden}, {}},
  };
  for (const Case& c : cases) {
    reported.clear();
    scanner.Options = c.options;
    scanner.Enumerate();
    std::vector<std::string> expected;
    for (const auto& n : c.names) expected.push_back(std::string(kRoot) + "\\" + n);
    EXPECT_EQ(reported, expected) << "case with " << c.options.size() << " options";
  }
}

TEST_F(ShellEnumeratorTest, RejectedItemsAreNotKept) {
  add("a.nef");
  add("reject.nef");
  add("c.nef");
  scanner.Enumerate();
  EXPECT_EQ(reported.size(), 3u);
  EXPECT_EQ(kept(),
            (std::vector<std::string>{"C:\\TOLVA\\import\\a.nef", "C:\\TOLVA\\import\\c.nef"}));
}

TEST_F(ShellEnumeratorTest, AnErrorFromTheHandlerEndsTheScanAtOnce) {
  add("a.nef");
  add("boom.nef");
  add("c.nef");
  EXPECT_THROW(scanner.Enumerate(), std::runtime_error);
  EXPECT_EQ(reported,
            (std::vector<std::string>{"C:\\TOLVA\\import\\a.nef", "C:\\TOLVA\\import\\boom.nef"}));
  EXPECT_EQ(kept(), std::vector<std::string>{"C:\\TOLVA\\import\\a.nef"});

  lister.remove(kRoot, "boom.nef");
  scanner.Enumerate();
  EXPECT_EQ(kept().size(), 2u) << "every scan starts afresh";
}

TEST_F(ShellEnumeratorTest, RootThatIsMissingOrAFileIsAnInvalidFolder) {
  for (FolderStatus status : {FolderStatus::Missing, FolderStatus::NotAFolder}) {
    lister.folders[kRoot] = {FolderStatus::Listed, {{"old.nef", true, false, false}}};
    scanner.Enumerate();
    ASSERT_EQ(kept().size(), 1u);
    reported.clear();

    lister.folders[kRoot].status = status;
    try {
      scanner.Enumerate();
      ADD_FAILURE() << "no error";
    } catch (const ESsInvalidFolder& e) {
      EXPECT_STREQ(e.what(), "Invalid folder");
    }
    EXPECT_TRUE(reported.empty());
    EXPECT_TRUE(kept().empty()) << "the previous scan's items are gone";
  }
}

TEST_F(ShellEnumeratorTest, RefusedListingIsAnEmptyScanWithoutError) {
  lister.folders[kRoot] = {FolderStatus::Unreadable, {{"a.nef", true, false, false}}};
  EXPECT_NO_THROW(scanner.Enumerate());
  EXPECT_TRUE(reported.empty());
  EXPECT_TRUE(kept().empty());
}

TEST_F(ShellEnumeratorTest, SortingOrdersTheKeptItemsButNotTheHandlerCalls) {
  add("b.nef");
  add("C.nef");
  add("a.nef");
  const std::vector<std::string> listing = {"C:\\TOLVA\\import\\b.nef", "C:\\TOLVA\\import\\C.nef",
                                            "C:\\TOLVA\\import\\a.nef"};
  struct Case {
    bool sorted;
    TStSortDirection direction;
    std::vector<std::string> names;
  };
  const std::vector<Case> cases = {
      {false, TStSortDirection::sdAscending, {"b", "C", "a"}},
      {true, TStSortDirection::sdAscending, {"a", "b", "C"}},
      {true, TStSortDirection::sdDescending, {"C", "b", "a"}},
  };
  for (const Case& c : cases) {
    reported.clear();
    scanner.Sorted = c.sorted;
    scanner.SortDirection = c.direction;
    scanner.Enumerate();
    std::vector<std::string> expected;
    for (const auto& n : c.names) expected.push_back(std::string(kRoot) + "\\" + n + ".nef");
    EXPECT_EQ(reported, listing);
    EXPECT_EQ(kept(), expected);
  }
}

}  // namespace
}  // namespace lumenpoll
