#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cstdlib>
#include <iostream>

#include "app/start_guard.h"
#include "app/station.h"
#include "base/application.h"
#include "base/operator_texts.h"
#include "base/station_lock.h"
#include "platform/fltk/fd_watch.h"
#include "platform/fltk/fltk_error_box.h"
#include "platform/fltk/fltk_timer_backend.h"
#include "platform/fltk/fltk_view.h"
#include "platform/posix/drive_path.h"
#include "platform/posix/logind_sessions.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folder_lister.h"
#include "platform/posix/posix_shell.h"
#include "platform/posix/station_socket.h"
#include "platform/posix/termination_signals.h"
#include "ui/form1.h"
#include "ui/platform.h"
#include "ui/station_hand_over.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

// What the loop does when the session ends or a later start asks for the window.
struct LoopRequests {
  TerminationSignals& ending;
  StationSocket& station;
  TForm1& form;
  FltkView& view;

  // The session's end: the window goes whatever its state, and so do the open boxes, so
  // that the program ends now and not when somebody answers them.
  static void on_ending(int, void* data) {
    auto& self = *static_cast<LoopRequests*>(data);
    if (!self.ending.take()) return;
    self.form.OnSessionEnd();
    while (Fl_Window* window = Fl::first_window()) window->hide();
  }

  static void on_later_start(int, void* data) {
    auto& self = *static_cast<LoopRequests*>(data);
    if (self.station.take_requests()) self.view.BringToFront();
  }
};

// Builds the window and, when this program holds the station, the cycle; then runs until the
// window closes.
int run_window(Edition edition, const std::string& drive_c, StationSocket& station,
               const LogindSessions& sessions, StartAs start) {
  TerminationSignals ending;
  const DrivePath drive(drive_c);
  PosixFileSystem files(drive);
  PosixFolderLister folders(drive);
  PosixShell shell(drive);
  FltkTimerBackend timers;
  const Platform platform{files, folders, shell, timers};

  FltkView view(window_definition(edition));
  FltkErrorBox box(&view.window());
  Application app(operator_texts::kApplicationTitle, box);
  // Holding, the cycle's first timer starts here.
  TForm1 form(edition, app, platform, view,
              start == StartAs::Holder ? TForm1::CycleStart::Now : TForm1::CycleStart::Later);
  view.bind(form);
  const StationHandOver hand_over(station, sessions, form, app, timers, start);

  LoopRequests requests{ending, station, form, view};
  const FdWatch ending_watch(ending.fd(), LoopRequests::on_ending, &requests);
  const FdWatch station_watch(station.fd(), LoopRequests::on_later_start, &requests);
  view.Show();
  form.OnShow();
  Fl::run();
  return 0;
}

}  // namespace

// Drive C: of the station is a folder fixed per program at build time.
int run_station(Edition edition) {
  FltkErrorBox start_box;  // the window is gone, or was never built, when this one shows
  return run_reporting_errors(operator_texts::kApplicationTitle, start_box, std::cerr, [&] {
    Application start_app(operator_texts::kApplicationTitle, start_box);
    const char* display = std::getenv("DISPLAY");  // where the window would be shown
    const LogindSessions sessions;
    StationSocket station(LUMENPOLL_DRIVE_C, display == nullptr ? "" : display, sessions);
    return run_alone(station, start_app, [&](StartAs start) {
      return run_window(edition, LUMENPOLL_DRIVE_C, station, sessions, start);
    });
  });
}

}  // namespace lumenpoll
