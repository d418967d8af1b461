#include "cycle/file_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_error_box.h"
#include "fakes/fake_shell.h"

namespace lumenpoll {
namespace {

constexpr const char* kScript = "C:\\Program Files\\ImageJ\\ij_raw.bat";

class FileRunTest : public ::testing::Test {
 protected:
  fakes::FakeErrorBox box;
  Application app{"Orvend Image Processing", box};
  fakes::FakeShell shell;
  TFileRun run{app, shell};
};

TEST_F(FileRunTest, NewLauncherStartsNormallyShownWithEmptyTexts) {
  EXPECT_EQ(run.Operation, "open");
  EXPECT_EQ(run.ShowCmd, TShowCmd::scShowNormal);
  EXPECT_FALSE(run.Browse);
  EXPECT_TRUE(run.FileName.empty());
  EXPECT_TRUE(run.Parameters.empty());
  EXPECT_TRUE(run.Directory.empty());
  EXPECT_EQ(run.ParentWindow, 0u);
}

TEST(ShowCmdNumber, MapsToTheWindowsShowCommands) {
  // In the order of TShowCmd: scHide, scMaximize, scMinimize, scRestore, scShow,
  // scShowDefault, scShowMaximized, scShowMinimized, scShowMinNoActive, scShowNA,
  // scShowNoActivate, scShowNormal.
  constexpr int kNumbers[] = {0, 3, 6, 9, 5, 10, 3, 2, 7, 8, 4, 1};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(show_cmd_number(static_cast<TShowCmd>(i)), kNumbers[i]) << i;
}

TEST_F(FileRunTest, StartsTheScriptWithItsParametersAsOneText) {
  run.FileName = kScript;
  run.ShowCmd = TShowCmd::scHide;
  run.Parameters = "shot01 thorax_lat";
  run.Run();
  run.Run();  // a second run starts a second process, independent of the first

  ASSERT_EQ(shell.calls.size(), 2u);
  for (const auto& call : shell.calls) {
    EXPECT_EQ(call.owner, 0u);
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, kScript);
    EXPECT_EQ(call.parameters, "shot01 thorax_lat");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show_cmd, 0);
  }
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(FileRunTest, EmptyFileNameStartsNothingAndReportsNothing) {
  run.Parameters = "shot01";
  run.Run();
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(box.shown.empty());
  EXPECT_FALSE(run.Enabled);
}

TEST_F(FileRunTest, FailedStartIsShownInTheBoxAndRunReturns) {
  run.FileName = kScript;
  run.Parameters = "shot01";
  shell.failures[kScript] = 2;
  run.Run();  // returns normally: the error does not reach the caller

  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].caption, "Orvend Image Processing");
  EXPECT_EQ(box.shown[0].text, "The system cannot find the file specified.");
  EXPECT_EQ(run.FileName, kScript);
  EXPECT_EQ(run.Parameters, "shot01");
}

// Any code is a refusal, those above 32 too (1155: no association).
TEST_F(FileRunTest, CodeWithoutSystemTextShowsAnEmptyBox) {
  run.FileName = kScript;
  shell.failures[kScript] = 1155;
  EXPECT_FALSE(run.Run());
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, "");
}

}  // namespace
}  // namespace lumenpoll
