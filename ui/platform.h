#pragma once

#include "base/application.h"
#include "base/file_system.h"
#include "base/timer.h"
#include "cycle/folder_lister.h"
#include "cycle/shell.h"

namespace lumenpoll {

// The services of the platform that the window and its cycle work through.
struct Platform {
  FileSystem& files;
  FolderLister& folders;
  Shell& shell;
  TimerBackend& timers;
};

}  // namespace lumenpoll
