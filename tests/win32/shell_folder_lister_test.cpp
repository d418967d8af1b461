#include "platform/win32/shell_folder_lister.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/win32/com_apartment.h"
#include "temp_folder.h"

namespace lumenpoll {
namespace {

class ShellFolderListerTest : public ::testing::Test {
 protected:
  // Entries by name.
  std::map<std::string, FolderEntry> listed(const std::string& path) {
    const FolderListing listing = lister.list(path);
    EXPECT_EQ(listing.status, FolderStatus::Listed);
    std::map<std::string, FolderEntry> entries;
    for (const FolderEntry& entry : listing.entries) entries[entry.name] = entry;
    return entries;
  }

  ComApartment com;
  TempFolder folder;
  ShellFolderLister lister;
};

TEST_F(ShellFolderListerTest, AMissingRootOrAFileAsRootIsNoFolderToList) {
  folder.write("shot01.NEF", "raw");
  EXPECT_EQ(lister.list(folder / "import").status, FolderStatus::Missing);
  EXPECT_EQ(lister.list(folder / "import\\deeper").status, FolderStatus::Missing);
  EXPECT_EQ(lister.list(folder / "shot01.NEF").status, FolderStatus::NotAFolder);
  EXPECT_TRUE(listed(folder.path()).size() == 1);
}

TEST_F(ShellFolderListerTest, FoldersAreMarkedHiddenFilesLeftOutNamesKeptAsStored) {
  folder.write("shot01.NEF", "raw");
  folder.write("Shot02.nef", "raw");
  folder.write("hidden.NEF", "raw");
  ::SetFileAttributesA((folder / "hidden.NEF").c_str(), FILE_ATTRIBUTE_HIDDEN);
  folder.make_folder("x.NEF");

  const auto entries = listed(folder.path());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries.count("hidden.NEF"), 0u);
  for (const char* file : {"shot01.NEF", "Shot02.nef"}) {
    ASSERT_EQ(entries.count(file), 1u) << file;
    EXPECT_TRUE(entries.at(file).is_file_system) << file;
    EXPECT_FALSE(entries.at(file).is_folder) << file;
    EXPECT_FALSE(entries.at(file).is_hidden) << file;
  }
  ASSERT_EQ(entries.count("x.NEF"), 1u);
  EXPECT_TRUE(entries.at("x.NEF").is_file_system);
  EXPECT_TRUE(entries.at("x.NEF").is_folder);
}

TEST_F(ShellFolderListerTest, AStampFollowsTheFilesSizeAndWriteTime) {
  EXPECT_FALSE(lister.stamp(folder / "shot01.NEF").has_value());
  folder.write("shot01.NEF", "raw");
  const auto first = lister.stamp(folder / "shot01.NEF");
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->size, 3u);

  folder.write("shot01.NEF", "raw data");
  FILETIME later{};
  ::GetSystemTimeAsFileTime(&later);
  later.dwHighDateTime += 1;  // well after the first write
  const HANDLE file = ::CreateFileA((folder / "shot01.NEF").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::SetFileTime(file, nullptr, nullptr, &later);
  ::CloseHandle(file);
  const auto second = lister.stamp(folder / "shot01.NEF");
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->size, 8u);
  EXPECT_GT(second->modified, first->modified);
}

}  // namespace
}  // namespace lumenpoll
