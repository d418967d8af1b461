#include "platform/posix/posix_script_probe.h"

#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "platform/posix/posix_shell.h"

namespace lumenpoll {
namespace {

using test::TempFolder;

// The checker promises what the launcher will meet: both must judge a script alike.
TEST(PosixScriptProbe, AgreesWithTheLauncherAndGivesTheSystemMessage) {
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
    PosixScriptProbe probe{DrivePath(drive.path()), c.interpreter};
    PosixShell shell{DrivePath(drive.path()), c.interpreter};
    const ScriptState state = probe.probe(c.script);
    EXPECT_EQ(state.error, c.error) << c.script << " with " << c.interpreter;
    const std::uintptr_t started = shell.Execute(0, "open", c.script, "", "", 0);
    EXPECT_EQ(state.error == 0 ? started > 32 : started == state.error, true) << c.script;
  }
  PosixScriptProbe probe{DrivePath(drive.path())};
  EXPECT_EQ(probe.probe(R"(C:\Program Files\ImageJ\ij_del.bat)").message,
            "The system cannot find the file specified");
  EXPECT_EQ(probe.probe(R"(C:\Program Files\ImageJ\ij_raw.bat)").message, "");
}

}  // namespace
}  // namespace lumenpoll
