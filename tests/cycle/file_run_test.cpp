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
  const std::vector<std::pair<TShowCmd, int>> table = {
      {TShowCmd::scHide, 0},
      {TShowCmd::scMaximize, 3},
      {TShowCmd::scMinimize, 6},
      {TShowCmd::scRestore, 9},
      {TShowCmd::scShow, 5},
      {TShowCmd::scShowDefault, 10},
      {TShowCmd::scShowMaximized, 3},
      {TShowCmd::scShowMinimized, 2},
      {TShowCmd::scShowMinNoActive, 7},
      {TShowCmd::scShowNA, 8},
      {TShowCmd::scShowNoActivate, 4},
      {TShowCmd::scShowNormal, 1},
  };
  for (const auto& [cmd, number] : table)
    EXPECT_EQ(show_cmd_number(cmd), number) << static_cast<int>(cmd);
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

TEST_F(FileRunTest, CodeWithoutSystemTextShowsAnEmptyBox) {
  run.FileName = kScript;
  shell.failures[kScript] = 31;
  run.Run();
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, "");
}

}  // namespace
}  // namespace lumenpoll
