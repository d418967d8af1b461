#include "app/station.h"

#include <FL/Fl.H>

#include <iostream>

#include "app/application_title.h"
#include "app/event_relay.h"
#include "app/start_guard.h"
#include "base/application.h"
#include "platform/fltk/fltk_error_box.h"
#include "platform/fltk/fltk_timer_backend.h"
#include "platform/fltk/fltk_view.h"
#include "platform/posix/drive_path.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_lister.h"
#include "platform/posix/posix_shell.h"
#include "ui/form1.h"
#include "ui/platform.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

// Builds the window and the cycle, then runs until the window closes.
int run_window(Edition edition, const std::string& drive_c) {
  const DrivePath drive(drive_c);
  PosixFileSystem files(drive);
  PosixFolderLister folders(drive);
  PosixShell shell(drive);
  FltkTimerBackend timers;
  const Platform platform{files, folders, shell, timers};

  EventRelay relay;
  FltkView view(window_definition(edition), relay);
  FltkErrorBox box(&view.window());
  Application app(kApplicationTitle, box);
  TForm1 form(edition, app, platform, view);  // starts the cycle's first timer
  relay.bind(form);

  view.Show();
  form.OnShow();
  Fl::run();
  return 0;
}

}  // namespace

// Drive C: of the station is a folder fixed per program at build time.
int run_station(Edition edition) {
  FltkErrorBox start_box;  // the window is gone, or was never built, when this one shows
  return run_reporting_errors(kApplicationTitle, start_box, std::cerr,
                              [&] { return run_window(edition, LUMENPOLL_DRIVE_C); });
}

}  // namespace lumenpoll
