#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/application.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_folder_lister.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_station.h"
#include "fakes/virtual_clock.h"
#include "platform/win32/win32_error_box.h"
#include "platform/win32/win32_timer_backend.h"
#include "platform/win32/win32_view.h"
#include "ui/form1.h"
#include "ui/platform.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

class CountingFiles : public fakes::FakeFileSystem {
 public:
  int selection_writes = 0;
  std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) override {
    if (path == fakes::kSelectionFile) ++selection_writes;
    return FakeFileSystem::create_exclusive(path);
  }
};

// The window and its box as the program has them, on a station of fakes.
struct Station {
  Station() {
    files.files[fakes::kMacroListFile] = "[Canine]\r\nThorax LAT thorax_lat\r\n";
    files.files[fakes::kSelectionFile] = "0 0\r\n";
    folders.folders[fakes::kImportFolder] = {};
    view.bind(form);
    form.OnShow();
  }

  HWND task_bar_window() const { return ::GetWindow(view.handle(), GW_OWNER); }

  CountingFiles files;
  fakes::FakeFolderLister folders;
  fakes::FakeShell shell;
  fakes::VirtualClock clock;
  Win32View view{window_definition(Edition::Full), "Orvend Image Processing"};
  Win32ErrorBox box{view.handle()};
  Application app{"Orvend Image Processing", box};
  Platform platform{files, folders, shell, clock};
  TForm1 form{Edition::Full, app, platform, view};
};

BOOL CALLBACK find_box(HWND window, LPARAM found) {
  if (::GetClassLongPtrA(window, GCW_ATOM) != reinterpret_cast<ULONG_PTR>(WC_DIALOG)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND open_box() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&found));
  return found;
}

enum class Hears { Box, Window, TaskBarButton };
constexpr const char* kHearsFirst[] = {"the box first", "the window first",
                                       "the task-bar button first"};

// Sent as the system sends it, one window after the other, while a box waits for the
// operator: the first window to hear it has saved the selection once it returns, and
// nothing saves it again.
TEST(SessionEnd, TheSelectionIsSavedOnceWhicheverWindowHearsItFirst) {
  const std::vector<std::vector<Hears>> orders = {
      {Hears::Box, Hears::Window, Hears::TaskBarButton},
      {Hears::Window, Hears::Box, Hears::TaskBarButton},
      {Hears::TaskBarButton, Hears::Box, Hears::Window},
  };
  for (const auto& order : orders) {
    SCOPED_TRACE(kHearsFirst[static_cast<int>(order.front())]);
    Station st;
    Win32TimerBackend timers;
    std::vector<int> writes_after_each;
    std::unique_ptr<TimerHandle> session_end;
    session_end = timers.start(50, [&] {
      const HWND box = open_box();
      if (box == nullptr) return;
      session_end.reset();
      for (const Hears hears : order) {
        const HWND window = hears == Hears::Box      ? box
                            : hears == Hears::Window ? st.view.handle()
                                                     : st.task_bar_window();
        ::SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        writes_after_each.push_back(st.files.selection_writes);
      }
    });
    st.app.ShowError("Invalid folder.");  // returns once the session's end has closed it

    EXPECT_EQ(writes_after_each, (std::vector<int>{1, 1, 1}));
    EXPECT_TRUE(st.form.closed());
    MSG quit{};
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  }
}

}  // namespace
}  // namespace lumenpoll
