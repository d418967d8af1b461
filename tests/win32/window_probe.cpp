// window-probe: looks at the windows of a running program from outside, as the end-to-end
// tests under Wine need (texts of native controls, styles, owners are not visible to X).
//
//   window-probe window CAPTION   the top-level window with that caption: its class, client
//                                 size, styles, task-bar button, and every control's text
//   window-probe boxes CAPTION    the open message boxes with that caption, one line each:
//                                 the box's handle, a tab, its text
//   window-probe press HANDLE     presses OK in the message box of that handle
//   window-probe close CAPTION    asks the window to close, as its close box does
//   window-probe close-from-task-bar CAPTION
//                                 asks the window's task-bar button to close, as the task
//                                 bar's "Close window" does
//   window-probe end-session CAPTION [logoff|shutdown|closeapp]
//                                 tells every window of the program showing that caption
//                                 that the session ends, as a logoff (the default), a
//                                 shutdown or Restart Manager does
//   window-probe foreground       the class and caption of the window in front
//   window-probe hold FILE SECONDS
//                                 holds FILE open for writing (others may read) for that
//                                 long, as a copy still writing it does; says "held" first
//   window-probe message CODE     the system's text for a Windows error code
//   window-probe hold-station USER
//                                 holds the station as a program of USER's in another
//                                 session would (an earlier version, which only says who
//                                 it is), until killed; says "held" first
//   window-probe hold-station-silently
//                                 owns the station's mutex and answers nobody, as a program
//                                 that took the name would, until killed; says "held" first
//
// Exit code 1 when no such window is open.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string text_of(HWND window) {
  char buffer[1024] = {};
  // WM_GETTEXT crosses processes; a control's own text (an edit's, a list's) is not in
  // its window name.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 2000, &length))
    return {};
  return std::string(buffer, length);
}

std::string class_of(HWND window) {
  char buffer[256] = {};
  GetClassNameA(window, buffer, sizeof buffer);
  return buffer;
}

struct Search {
  std::string caption;
  std::string window_class;  // empty: any
  std::vector<HWND> found;
};

BOOL CALLBACK collect_top_level(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  if (!search->window_class.empty() && class_of(window) != search->window_class) return TRUE;
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  if (search->caption == title) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> top_level(const std::string& caption, const std::string& window_class) {
  Search search{caption, window_class, {}};
  EnumWindows(collect_top_level, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK collect_child(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::vector<HWND> children(HWND window) {
  std::vector<HWND> all;
  EnumChildWindows(window, collect_child, reinterpret_cast<LPARAM>(&all));
  return all;
}

int describe_window(const std::string& caption) {
  const std::vector<HWND> found = top_level(caption, {});
  if (found.empty()) return 1;
  const HWND window = found.front();
  RECT client{};
  GetClientRect(window, &client);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG ex_style = GetWindowLongA(window, GWL_EXSTYLE);
  const HWND owner = GetWindow(window, GW_OWNER);
  std::printf("class=%s\n", class_of(window).c_str());
  std::printf("client=%ldx%ld\n", client.right, client.bottom);
  std::printf("topmost=%d\n", (ex_style & WS_EX_TOPMOST) != 0);
  std::printf("dialog_frame=%d\n",
              (style & WS_CAPTION) == WS_CAPTION &&
                  (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0 &&
                  (ex_style & WS_EX_DLGMODALFRAME) != 0);
  // The task-bar button belongs to the visible unowned window that owns this one.
  const bool owner_has_button = owner != nullptr && IsWindowVisible(owner) &&
                                GetWindow(owner, GW_OWNER) == nullptr &&
                                (GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
  std::printf("taskbar=%s\n", owner_has_button ? text_of(owner).c_str() : "");
  RECT frame{};
  GetWindowRect(window, &frame);
  const int dx = (frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
  const int dy = (frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
  std::printf("centred=%d\n", std::abs(dx) <= 1 && std::abs(dy) <= 1);
  for (const HWND child : children(window)) {
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    std::printf("control %s %ld,%ld %ldx%ld %s\n", class_of(child).c_str(), area.left, area.top,
                area.right - area.left, area.bottom - area.top, text_of(child).c_str());
  }
  return 0;
}

std::vector<HWND> boxes(const std::string& caption) {
  return top_level(caption, "#32770");
}

int list_boxes(const std::string& caption) {
  const std::vector<HWND> found = boxes(caption);
  for (const HWND box : found) {
    std::string text;
    for (const HWND child : children(box))
      if (class_of(child) == "Static") text += text_of(child);
    std::printf("%llu\t%s\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(box)),
                text.c_str());
  }
  return found.empty() ? 1 : 0;
}

// Handles of top-level windows hold for every process of the session.
int press_ok(const char* handle) {
  const auto box =
      reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(handle, nullptr, 10)));
  if (!IsWindow(box)) return 1;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

int ask_to_close(const std::string& caption) {
  const std::vector<HWND> found = top_level(caption, {});
  if (found.empty()) return 1;
  PostMessageA(found.front(), WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

int close_from_task_bar(const std::string& caption) {
  const std::vector<HWND> found = top_level(caption, {});
  if (found.empty()) return 1;
  const HWND button = GetWindow(found.front(), GW_OWNER);
  if (button == nullptr) return 1;
  PostMessageA(button, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

struct ProcessWindows {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_of_process(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ProcessWindows*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process) search->found.push_back(window);
  return TRUE;
}

// Every top-level window of the process that shows the window of that caption (an error
// box is found by its caption too), visible or not, as the system tells them.
std::vector<HWND> windows_of_process_showing(const std::string& caption) {
  const std::vector<HWND> shown = top_level(caption, {});
  if (shown.empty()) return {};
  ProcessWindows search{0, {}};
  GetWindowThreadProcessId(shown.front(), &search.process);
  EnumWindows(collect_of_process, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Sent, not posted, as Windows sends them: first the query to every window, then the end.
// The answers are printed. reason: logoff, shutdown, or closeapp (Restart Manager).
int end_session(const std::string& caption, const std::string& reason) {
  LPARAM why = 0;
  if (reason == "logoff")
    why = ENDSESSION_LOGOFF;
  else if (reason == "closeapp")
    why = ENDSESSION_CLOSEAPP;
  else if (reason != "shutdown")
    return 2;
  const std::vector<HWND> windows = windows_of_process_showing(caption);
  if (windows.empty()) return 1;
  bool may_end = true;
  for (const HWND window : windows) {
    DWORD_PTR answer = TRUE;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, why, SMTO_NORMAL, 5000, &answer);
    may_end = may_end && answer != FALSE;
  }
  std::printf("may end=%d\n", may_end);
  for (const HWND window : windows)
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, why, SMTO_NORMAL, 5000, nullptr);
  return 0;
}

int show_foreground() {
  const HWND window = GetForegroundWindow();
  if (window == nullptr) return 1;
  std::printf("%s\t%s\n", class_of(window).c_str(), text_of(window).c_str());
  return 0;
}

int hold(const char* file, const char* seconds) {
  const HANDLE handle = CreateFileA(file, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::strtoul(seconds, nullptr, 10) * 1000));
  CloseHandle(handle);
  return 0;
}

// Plays a program of an earlier version in another session that holds the station: makes the
// station's mutex and says, on its pipe, that user in session 99 holds it, to every start that
// asks, until killed.
int hold_station(const char* user) {
  const HANDLE mutex = CreateMutexA(nullptr, FALSE, "Global\\lumenpoll station");
  if (mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  const HANDLE pipe = CreateNamedPipeA("\\\\.\\pipe\\lumenpoll station", PIPE_ACCESS_DUPLEX,
                                       PIPE_TYPE_BYTE | PIPE_WAIT, 1, 512, 16, 0, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  const std::string line = std::string("lumenpoll station\t") + user + "\t99\\Default\n";
  for (;;) {
    if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) return 1;
    DWORD written = 0;
    WriteFile(pipe, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(pipe);
    DisconnectNamedPipe(pipe);
  }
}

int hold_station_silently() {
  if (CreateMutexA(nullptr, TRUE, "Global\\lumenpoll station") == nullptr ||
      GetLastError() == ERROR_ALREADY_EXISTS)
    return 1;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}

int system_message(const char* code) {
  char buffer[256];
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, static_cast<DWORD>(std::strtoul(code, nullptr, 10)), 0, buffer, sizeof buffer,
      nullptr);
  std::fwrite(buffer, 1, length, stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "foreground") return show_foreground();
  if (argc == 2 && std::string(argv[1]) == "hold-station-silently") return hold_station_silently();
  if (argc == 4 && std::string(argv[1]) == "hold") return hold(argv[2], argv[3]);
  if (argc == 4 && std::string(argv[1]) == "end-session") return end_session(argv[2], argv[3]);
  if (argc == 3) {
    const std::string command = argv[1];
    if (command == "window") return describe_window(argv[2]);
    if (command == "boxes") return list_boxes(argv[2]);
    if (command == "press") return press_ok(argv[2]);
    if (command == "close") return ask_to_close(argv[2]);
    if (command == "close-from-task-bar") return close_from_task_bar(argv[2]);
    if (command == "end-session") return end_session(argv[2], "logoff");
    if (command == "message") return system_message(argv[2]);
    if (command == "hold-station") return hold_station(argv[2]);
  }
  std::fprintf(stderr,
               "usage: window-probe window|boxes|close|close-from-task-bar|end-session CAPTION,\n"
               "       end-session CAPTION logoff|shutdown|closeapp,\n"
               "       press HANDLE, foreground, hold FILE SECONDS, message CODE,\n"
               "       hold-station USER, or hold-station-silently\n");
  return 2;
}
