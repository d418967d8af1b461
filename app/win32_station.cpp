#include <iostream>

#include "app/start_guard.h"
#include "app/station.h"
#include "base/application.h"
#include "base/operator_texts.h"
#include "base/station_lock.h"
#include "platform/win32/application_restart.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/shell_folder_lister.h"
#include "platform/win32/station_mutex.h"
#include "platform/win32/win32_console_sessions.h"
#include "platform/win32/win32_error_box.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_timer_backend.h"
#include "platform/win32/win32_view.h"
#include "ui/form1.h"
#include "ui/platform.h"
#include "ui/station_hand_over.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

// Builds the window and, when this program holds the station, the cycle; then runs until the
// window closes. The station's paths are used as written.
int run_window(Edition edition, StationMutex& station, StartAs start) {
  const ComApartment com;
  Win32FileSystem files;
  ShellFolderLister folders;
  Win32Shell shell;

  Win32View view(window_definition(edition), operator_texts::kApplicationTitle);
  Win32TimerBackend timers;
  const Platform platform{files, folders, shell, timers};
  const auto answering =
      timers.start(StationMutex::kAnswerIntervalMs, [&station] { station.answer_askers(); });
  Win32ErrorBox box(view.handle());
  Application app(operator_texts::kApplicationTitle, box);
  // Holding, the cycle's first timer starts here.
  TForm1 form(edition, app, platform, view,
              start == StartAs::Holder ? TForm1::CycleStart::Now : TForm1::CycleStart::Later);
  view.bind(form);
  const Win32ConsoleSessions sessions;
  const StationHandOver hand_over(station, sessions, form, app, timers, start);

  // A refusal leaves the program as it was: only an installer's restart of it is lost.
  register_for_restart();
  view.Show();
  form.OnShow();
  return view.run();
}

}  // namespace

int run_station(Edition edition) {
  enter_program_folder(std::cerr);
  Win32ErrorBox start_box;  // the window is gone, or was never built, when this one shows
  return run_reporting_errors(operator_texts::kApplicationTitle, start_box, std::cerr, [&] {
    const FormDef& form = window_definition(edition);
    StationMutex station(Win32View::class_name(form), form.caption);
    Application start_app(operator_texts::kApplicationTitle, start_box);
    return run_alone(station, start_app,
                     [&](StartAs start) { return run_window(edition, station, start); });
  });
}

}  // namespace lumenpoll
