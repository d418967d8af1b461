#pragma once

#include "base/application.h"
#include "base/file_system.h"
#include "base/folder_lister.h"
#include "base/shell.h"
#include "base/timer.h"

namespace lumenpoll {

// The services of the platform that the window and its cycle work through.
struct Platform {
  FileSystem& files;
  FolderLister& folders;
  Shell& shell;
  TimerBackend& timers;
};

}  // namespace lumenpoll
