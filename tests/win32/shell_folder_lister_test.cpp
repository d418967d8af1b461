#include "platform/win32/shell_folder_lister.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "common/temp_folder.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/text_encoding.h"
#include "platform/win32/win32_shell.h"

namespace lumenpoll {
namespace {

using test::TempFolder;

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
  folder.write_file("shot01.NEF", "raw");
  EXPECT_EQ(lister.list(folder / "import").status, FolderStatus::Missing);
  EXPECT_EQ(lister.list(folder / "import\\deeper").status, FolderStatus::Missing);
  EXPECT_EQ(lister.list(folder / "shot01.NEF").status, FolderStatus::NotAFolder);
  EXPECT_TRUE(listed(folder.path()).size() == 1);
}

TEST_F(ShellFolderListerTest, FoldersAreMarkedHiddenFilesLeftOutNamesKeptAsStored) {
  folder.write_file("shot01.NEF", "raw");
  folder.write_file("Shot02.nef", "raw");
  folder.write_file("hidden.NEF", "raw");
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
  EXPECT_EQ(lister.stamp(folder / "shot01.NEF").state, StampResult::State::Gone);
  folder.write_file("shot01.NEF", "raw");
  const StampResult first = lister.stamp(folder / "shot01.NEF");
  ASSERT_EQ(first.state, StampResult::State::Stamped);
  EXPECT_EQ(first.stamp.size, 3u);

  folder.write_file("shot01.NEF", "raw data");
  FILETIME later{};
  ::GetSystemTimeAsFileTime(&later);
  later.dwHighDateTime += 1;  // well after the first write
  const HANDLE file = ::CreateFileA((folder / "shot01.NEF").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::SetFileTime(file, nullptr, nullptr, &later);
  ::CloseHandle(file);
  const StampResult second = lister.stamp(folder / "shot01.NEF");
  ASSERT_EQ(second.state, StampResult::State::Stamped);
  EXPECT_EQ(second.stamp.size, 8u);
  EXPECT_GT(second.stamp.modified, first.stamp.modified);
}

// A copy that sets the full size first and writes into it shows no change of size or time.
TEST_F(ShellFolderListerTest, AFileItsWriterStillHoldsIsInUseUntilItIsClosed) {
  folder.write_file("shot01.NEF", "complete size");
  const HANDLE writer =
      ::CreateFileA((folder / "shot01.NEF").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(lister.stamp(folder / "shot01.NEF").state, StampResult::State::InUse);
  ::CloseHandle(writer);
  EXPECT_EQ(lister.stamp(folder / "shot01.NEF").state, StampResult::State::Stamped);
}

// A name that fits the folder but makes a path too long for the A functions is listed; its
// stamp cannot be had and says why, so that the cycle reports it rather than waiting on it.
TEST_F(ShellFolderListerTest, ARawFileWhosePathIsTooLongIsListedButUnreadable) {
  const std::string name = std::string(MAX_PATH - folder.path().size(), 'a') + ".NEF";
  const std::wstring path = L"\\\\?\\" + ansi_to_wide(folder / name);
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::CloseHandle(file);

  EXPECT_EQ(listed(folder.path()).count(name), 1u);
  const StampResult look = lister.stamp(folder / name);
  EXPECT_EQ(look.state, StampResult::State::Unreadable);
  EXPECT_EQ(look.message, Win32Shell().SystemMessage(ERROR_FILENAME_EXCED_RANGE));
  ::DeleteFileW(path.c_str());
}

// The A functions take names in the ANSI code page: a name it cannot hold must not reach them
// in another spelling, and comes with "?" (which the cycle refuses) in place.
TEST_F(ShellFolderListerTest, NamesComeInTheAnsiCodePageWithAQuestionMarkWhereItHasNoCharacter) {
  ASSERT_EQ(::GetACP(), 1252u) << "the test run's code page (LC_ALL=C.UTF-8 under Wine)";
  for (const wchar_t* name : {L"M\u00fcller.NEF", L"\u03a9mega.NEF"}) {
    const std::wstring path = ansi_to_wide(folder.path()) + L"\\" + name;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
  }
  const auto entries = listed(folder.path());
  EXPECT_EQ(entries.count("M\xfcller.NEF"), 1u);
  EXPECT_EQ(entries.count("?mega.NEF"), 1u);
  EXPECT_EQ(lister.stamp(folder / "M\xfcller.NEF").state, StampResult::State::Stamped);
}

}  // namespace
}  // namespace lumenpoll
