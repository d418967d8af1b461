#include "platform/win32/virtual_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

TEST(VirtualStore, IsInThisAccountsLocalApplicationData) {
  const std::string own = own_virtual_store();
  EXPECT_TRUE(own.ends_with("\\AppData\\Local\\VirtualStore")) << own;
}

// The file is opened as the process's own account, and the thread acts as itself again after.
TEST(VirtualStore, TheRealFilesAreReadAndTheThreadActsAsItselfAgain) {
  const test::TempFolder folder;
  const std::string path = folder.write_file("macroset.txt", "1 0\r\n");
  UnvirtualisedFileSystem files;
  auto reader = files.open_read(path);
  char buffer[8] = {};
  EXPECT_EQ(reader->read(buffer, sizeof buffer), 5u);
  EXPECT_EQ(std::string(buffer, 5), "1 0\r\n");
  HANDLE token = nullptr;
  const BOOL impersonating = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token);
  const DWORD error = ::GetLastError();
  if (impersonating) ::CloseHandle(token);
  EXPECT_FALSE(impersonating);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_TOKEN));
}

}  // namespace
}  // namespace lumenpoll
