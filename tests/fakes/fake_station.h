#pragma once

#include <string>

#include "base/application.h"
#include "fakes/fake_error_box.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_folder_lister.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_view.h"
#include "fakes/virtual_clock.h"
#include "ui/platform.h"

namespace lumenpoll::fakes {

inline constexpr const char* kMacroListFile = "c:\\program files\\imagej\\macrolist.txt";
inline constexpr const char* kSelectionFile = "c:\\program files\\imagej\\macroset.txt";
inline constexpr const char* kImportFolder = "C:\\TOLVA\\import";

// A whole station on fakes: its two text files, an empty import folder, the clock.
struct FakeStation {
  FakeStation(const std::string& macro_list, const std::string& selection) {
    files.files[kMacroListFile] = macro_list;
    files.files[kSelectionFile] = selection;
    folders.folders[kImportFolder] = {};
  }

  FakeFileSystem files;
  FakeFolderLister folders;
  FakeShell shell;
  VirtualClock clock;
  FakeErrorBox box;
  FakeView view;
  Application app{"Orvend Image Processing", box};
  Platform platform{files, folders, shell, clock};
};

}  // namespace lumenpoll::fakes
