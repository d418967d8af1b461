#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "common/temp_folder.h"
#include "platform/win32/com_apartment.h"

namespace lumenpoll {
namespace {

using test::TempFolder;

TEST(ShellExecuteRequest, StartsHiddenWithNoPromptNoBoxAndEmptyTextsAsTexts) {
  const std::string verb = "open";
  const std::string file = R"(C:\Program Files\ImageJ\ij_raw.bat)";
  const std::string parameters = "shot01 thorax_lat";
  const std::string directory;
  const SHELLEXECUTEINFOA request =
      shell_execute_request(nullptr, verb, file, parameters, directory, SW_HIDE);
  EXPECT_EQ(request.cbSize, sizeof request);
  // Never a process handle to wait on, nor a wait for the script's window.
  EXPECT_EQ(request.fMask, ULONG{SEE_MASK_NOZONECHECKS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC});
  EXPECT_EQ(request.hwnd, nullptr);
  EXPECT_STREQ(request.lpVerb, "open");
  EXPECT_STREQ(request.lpFile, file.c_str());
  EXPECT_STREQ(request.lpParameters, "shot01 thorax_lat");
  ASSERT_NE(request.lpDirectory, nullptr);
  EXPECT_STREQ(request.lpDirectory, "");
  EXPECT_EQ(request.nShow, SW_HIDE);
}

TEST(ShellStartError, ReadsTheShellsCodesAsWhatTheyMean) {
  const struct {
    DWORD last_error;
    std::uintptr_t shell_code;
    DWORD error;
  } cases[] = {
      {0, SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
      {0, SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
      {0, SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED},
      {0, SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY},
      {0, 0, ERROR_NOT_ENOUGH_MEMORY},  // never "completed successfully"
      {0, ERROR_BAD_FORMAT, ERROR_BAD_FORMAT},
      {0, SE_ERR_SHARE, ERROR_SHARING_VIOLATION},
      {0, SE_ERR_ASSOCINCOMPLETE, ERROR_NO_ASSOCIATION},
      {0, SE_ERR_DDETIMEOUT, ERROR_DDE_FAIL},
      {0, SE_ERR_DDEFAIL, ERROR_DDE_FAIL},
      {0, SE_ERR_DDEBUSY, ERROR_DDE_FAIL},
      {0, SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
      {0, SE_ERR_DLLNOTFOUND, ERROR_DLL_NOT_FOUND},
      {0, 4, ERROR_CAN_NOT_COMPLETE},  // no code the shell documents
      {0, 33, ERROR_CAN_NOT_COMPLETE},
      // The system's last error is the more exact, except against the shell's own causes.
      {ERROR_PATH_NOT_FOUND, SE_ERR_FNF, ERROR_PATH_NOT_FOUND},
      {ERROR_CANCELLED, 0, ERROR_CANCELLED},
      {ERROR_BAD_EXE_FORMAT, SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shell_start_error(c.last_error, c.shell_code), c.error)
        << c.last_error << " " << c.shell_code;
  }
  // Every refusal the shell can report has a text of its own, none the success's.
  Win32Shell shell;
  for (std::uintptr_t code = 0; code <= 32; ++code) {
    const std::string text = shell.SystemMessage(shell_start_error(0, code));
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_NE(text, shell.SystemMessage(ERROR_SUCCESS)) << code;
    if (code >= SE_ERR_SHARE) {
      EXPECT_NE(text, shell.SystemMessage(code)) << code;
    }
  }
}

// Real starts: COM on the thread, as the program has it.
class Win32ShellStart : public ::testing::Test {
 protected:
  ShellStart start(const std::string& file) {
    return shell_.Execute(0, "open", file, "", "", SW_HIDE);
  }

  ComApartment com_;
  TempFolder folder_;
  Win32Shell shell_;
};

TEST_F(Win32ShellStart, AMissingFileOrFolderIsRefusedWithItsCode) {
  EXPECT_EQ(start(folder_ / "none.bat").error, DWORD{ERROR_FILE_NOT_FOUND});
  EXPECT_EQ(start(folder_ / "none/ij_raw.bat").error, DWORD{ERROR_PATH_NOT_FOUND});
}

TEST_F(Win32ShellStart, AFileWithoutAssociationIsRefusedAsSuch) {
  const ShellStart refused = start(folder_.write_file("shot01.no-such-type", "x"));
  EXPECT_EQ(refused.error, DWORD{ERROR_NO_ASSOCIATION});
}

// The script gets no working folder of its own: it starts in the program's.
TEST_F(Win32ShellStart, AScriptStartsInTheProgramsWorkingFolder) {
  const std::string record = folder_ / "started_in.txt";
  const std::string script = folder_.write_file(
      "ij_deldcm.bat", "@echo off\r\n>\"" + record + ".tmp\" echo %CD%\r\n" + "move \"" + record +
                           ".tmp\" \"" + record + "\" >nul\r\n");
  const std::string working_folder = folder_.make_folder("working folder");
  char previous[MAX_PATH];
  ASSERT_NE(::GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryA(working_folder.c_str()));
  const ShellStart started = start(script);
  ::SetCurrentDirectoryA(previous);
  ASSERT_TRUE(started.started()) << started.error;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (::GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES &&
         std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(TempFolder::read_file(record), working_folder + "\r\n");
}

}  // namespace
}  // namespace lumenpoll
