#include "platform/posix/posix_shell.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "common/temp_folder.h"

namespace lumenpoll {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

const std::string kScript = R"(C:\Program Files\ImageJ\ij_raw.bat)";

// What one run of the recording script saw.
struct Record {
  std::string working_folder;
  std::string stdin_target;
  std::string stderr_target;
  std::string leaked_fd;  // "open" or "closed"
  long session = 0;
  std::vector<std::string> args;
};

class PosixShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drive_.make_folder("records");
    leaked_fd_ = ::fcntl(STDERR_FILENO, F_DUPFD, 50);  // deliberately inheritable
    ASSERT_GE(leaked_fd_, 0);
    drive_.write_file("Program Files/ImageJ/ij_raw.bat", recording_script());
  }
  void TearDown() override { ::close(leaked_fd_); }

  // Writes to a temporary name and renames, so a record is seen whole or not at all.
  std::string recording_script() const {
    const std::string record = drive_ / "records/$$";
    return "rec=\"" + record + "\"\n" +
           "{\n"
           "  pwd\n"
           "  readlink /proc/$$/fd/0\n"
           "  readlink /proc/$$/fd/2\n"
           "  if [ -e /proc/$$/fd/" +
           std::to_string(leaked_fd_) +
           " ]; then echo open; else echo closed; fi\n"
           "  cut -d' ' -f6 /proc/$$/stat\n"
           "  for a in \"$@\"; do printf '%s\\n' \"$a\"; done\n"
           "} > \"$rec.tmp\"\n"
           "mv \"$rec.tmp\" \"$rec\"\n";
  }

  ShellStart run(const std::string& parameters, const std::string& directory = "",
                 const std::string& verb = "open") {
    return shell_.Execute(0, verb, kScript, parameters, directory, 0);
  }

  // Polls with a generous time-out; the scripts run on their own.
  std::vector<Record> wait_for_records(std::size_t count) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::vector<fs::path> done;
    while (std::chrono::steady_clock::now() < give_up) {
      done.clear();
      for (const auto& entry : fs::directory_iterator(drive_ / "records")) {
        if (entry.path().extension() != ".tmp") done.push_back(entry.path());
      }
      if (done.size() >= count) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::vector<Record> records;
    for (const auto& path : done) records.push_back(parse(path));
    return records;
  }

  void clear_records() {
    for (const auto& entry : fs::directory_iterator(drive_ / "records")) fs::remove(entry.path());
  }

  static Record parse(const fs::path& path) {
    std::ifstream in(path);
    Record r;
    std::string session;
    std::getline(in, r.working_folder);
    std::getline(in, r.stdin_target);
    std::getline(in, r.stderr_target);
    std::getline(in, r.leaked_fd);
    std::getline(in, session);
    r.session = std::stol(session);
    for (std::string line; std::getline(in, line);) r.args.push_back(line);
    return r;
  }

  static bool no_child_left() { return ::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD; }

  TempFolder drive_;
  int leaked_fd_ = -1;
  PosixShell shell_{DrivePath(drive_.path())};
};

TEST_F(PosixShellTest, PassesTheParameterTextSplitIntoArguments) {
  const struct {
    std::string parameters;
    std::vector<std::string> args;
  } cases[] = {
      {"shot01 thorax_lat", {"shot01", "thorax_lat"}},
      {R"("shot 01" "thorax lat")", {"shot 01", "thorax lat"}},
      {"shot01", {"shot01"}},
      {"", {}},
      {R"($HOME `id` ; *)", {"$HOME", "`id`", ";", "*"}},
  };
  for (const auto& c : cases) {
    clear_records();
    ASSERT_TRUE(run(c.parameters).started()) << c.parameters;
    const auto records = wait_for_records(1);
    ASSERT_EQ(records.size(), 1u) << c.parameters;
    EXPECT_EQ(records[0].args, c.args) << c.parameters;
  }
}

TEST_F(PosixShellTest, TheScriptRunsDetachedOnNullStreams) {
  ASSERT_TRUE(run("shot01", "", "OPEN").started());
  EXPECT_TRUE(no_child_left());
  const auto records = wait_for_records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].working_folder, fs::current_path().string());
  EXPECT_EQ(records[0].stdin_target, "/dev/null");
  EXPECT_EQ(records[0].stderr_target, "/dev/null");
  EXPECT_EQ(records[0].leaked_fd, "closed");
  EXPECT_NE(records[0].session, ::getsid(0));
}

// The script waits for a file that is only made once Execute has returned.
TEST_F(PosixShellTest, ReturnsWithoutWaitingForTheScript) {
  const std::string go = drive_ / "go";
  drive_.write_file("Program Files/ImageJ/ij_raw.bat",
                    "n=0\n"
                    "while [ ! -e \"" +
                        go +
                        "\" ] && [ $n -lt 600 ]; do sleep 0.05; n=$((n+1)); done\n"
                        "if [ -e \"" +
                        go + "\" ]; then set -- saw-go; else set -- gave-up; fi\n" +
                        recording_script());
  ASSERT_TRUE(run("").started());
  drive_.write_file("go", "");
  const auto records = wait_for_records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].args, std::vector<std::string>{"saw-go"});
}

TEST_F(PosixShellTest, RunsInTheGivenWorkingFolder) {
  const std::string folder = drive_.make_folder("TOLVA/import");
  ASSERT_TRUE(run("", R"(c:\tolva\IMPORT)").started());
  const auto records = wait_for_records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].working_folder, fs::canonical(folder).string());
}

TEST_F(PosixShellTest, TwoRunsStartTwoProcessesAndLeaveNoChild) {
  ASSERT_TRUE(run("first").started());
  ASSERT_TRUE(run("second").started());
  const auto records = wait_for_records(2);
  ASSERT_EQ(records.size(), 2u);
  std::set<std::vector<std::string>> args{records[0].args, records[1].args};
  EXPECT_EQ(args, (std::set<std::vector<std::string>>{{"first"}, {"second"}}));
  EXPECT_TRUE(no_child_left());
}

TEST_F(PosixShellTest, RefusedStartsGiveTheShellCodes) {
  drive_.make_folder("Program Files/ImageJ/folder.bat");
  drive_.write_file("TOLVA/file", "");
  const struct {
    std::string file;
    std::string directory;
    std::string verb;
    unsigned code;
  } cases[] = {
      {R"(C:\Program Files\ImageJ\none.bat)", "", "open", 2},
      {R"(C:\Program Files\None\ij_raw.bat)", "", "open", 3},
      {R"(D:\ij_raw.bat)", "", "open", 3},
      {R"(C:\Program Files\ImageJ\folder.bat)", "", "open", 5},
      {kScript, R"(C:\TOLVA\missing)", "open", 3},
      {kScript, R"(C:\TOLVA\file)", "open", 3},
      {kScript, "", "print", 1155},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shell_.Execute(0, c.verb, c.file, "refused", c.directory, 0).error, c.code) << c.file;
  }
  // A start the shell took would have run before this one, which the refused ones cannot
  // tell from; a moment more lets a slow one write its record too.
  ASSERT_TRUE(run("after").started());
  ASSERT_EQ(wait_for_records(1).size(), 1u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto records = wait_for_records(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].args, std::vector<std::string>{"after"});
}

TEST_F(PosixShellTest, AFailedExecIsReportedWithItsCode) {
  const std::string not_executable = drive_.write_file("sh", "");
  ASSERT_EQ(::chmod(not_executable.c_str(), 0644), 0);
  PosixShell missing_interpreter(DrivePath(drive_.path()), drive_ / "no/such/sh");
  PosixShell unexecutable_interpreter(DrivePath(drive_.path()), not_executable);
  EXPECT_EQ(missing_interpreter.Execute(0, "open", kScript, "", "", 0).error, 2u);
  EXPECT_EQ(unexecutable_interpreter.Execute(0, "open", kScript, "", "", 0).error, 5u);
  EXPECT_TRUE(no_child_left());
}

TEST(PosixShellMessages, GivesTheSystemTexts) {
  PosixShell shell(DrivePath("/"));
  EXPECT_EQ(shell.SystemMessage(0), "The operation completed successfully.\r\n");
  EXPECT_EQ(shell.SystemMessage(2), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(shell.SystemMessage(3), "The system cannot find the path specified.\r\n");
  EXPECT_EQ(shell.SystemMessage(5), "Access is denied.\r\n");
  EXPECT_EQ(shell.SystemMessage(32),
            "The process cannot access the file because it is being used by another process.\r\n");
  EXPECT_EQ(shell.SystemMessage(1155),
            "No application is associated with the specified file for this operation.\r\n");
  EXPECT_EQ(shell.SystemMessage(33), "");
  EXPECT_EQ(shell.SystemMessage(1000), "");
}

// The checker promises what the launcher will meet: both must judge a script alike.
TEST(PosixShellProbe, AgreesWithTheStartAndGivesTheSystemMessage) {
  TempFolder drive;
  drive.write_file("Program Files/ImageJ/ij_raw.bat", "exit 0\n");
  drive.make_folder("Program Files/ImageJ/ij_dcm.bat");
  struct Case {
    const char* script;
    const char* interpreter;
    unsigned error;
  } cases[] = {
      {R"(C:\program files\imagej\IJ_RAW.BAT)", "/bin/sh", 0},
      {R"(C:\Program Files\ImageJ\ij_del.bat)", "/bin/sh", 2},
      {R"(C:\Program Files\Other\ij_del.bat)", "/bin/sh", 3},
      {R"(C:\Program Files\ImageJ\ij_dcm.bat)", "/bin/sh", 5},
      {R"(D:\ij_raw.bat)", "/bin/sh", 3},
      {R"(C:\Program Files\ImageJ\ij_raw.bat)", "/nonexistent/sh", 2},
  };
  for (const Case& c : cases) {
    PosixShell shell{DrivePath(drive.path()), c.interpreter};
    const ScriptState state = shell.probe(c.script);
    EXPECT_EQ(state.error, c.error) << c.script << " with " << c.interpreter;
    EXPECT_EQ(shell.Execute(0, "open", c.script, "", "", 0).error, state.error) << c.script;
  }
  PosixShell probe{DrivePath(drive.path())};
  EXPECT_EQ(probe.probe(R"(C:\Program Files\ImageJ\ij_del.bat)").message,
            "The system cannot find the file specified");
  EXPECT_EQ(probe.probe(R"(C:\Program Files\ImageJ\ij_raw.bat)").message, "");
}

}  // namespace
}  // namespace lumenpoll
