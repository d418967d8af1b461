#include "platform/win32/station_mutex.h"

#include <windows.h>

#include <stdexcept>
#include <utility>

namespace lumenpoll {
namespace {

constexpr const char* kMutexName = "Global\\lumenpoll station";
constexpr const char* kPipeName = "\\\\.\\pipe\\lumenpoll station";

std::string account_name() {
  char name[257] = {};
  DWORD size = sizeof name;
  return ::GetUserNameA(name, &size) ? std::string(name) : std::string("another user");
}

// The logon session and the desktop in it: two programs of one account on two desktops
// cannot see each other's windows either.
std::string session_name() {
  DWORD session = 0;
  if (!::ProcessIdToSessionId(::GetCurrentProcessId(), &session)) session = 0;
  char desktop[256] = {};
  DWORD needed = 0;
  if (!::GetUserObjectInformationA(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, desktop,
                                   sizeof desktop - 1, &needed))
    desktop[0] = '\0';
  return std::to_string(session) + "\\" + desktop;
}

// The pipe of the holder, opened for its answer; nothing when there is none (an older
// version) or it stays busy.
UniqueHandle connect_to_holder() {
  for (int attempt = 0; attempt < 2; ++attempt) {
    UniqueHandle pipe(::CreateFileA(kPipeName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OVERLAPPED, nullptr));
    if (pipe || ::GetLastError() != ERROR_PIPE_BUSY) return pipe;
    if (!::WaitNamedPipeA(kPipeName, StationMutex::kAnswerWaitMs)) break;
  }
  return {};
}

// Reads up to the line's end, waiting up to wait_ms for each part.
std::string read_answer(HANDLE pipe, DWORD wait_ms) {
  const UniqueHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!event) return {};
  std::string answer;
  char chunk[256];
  while (!answer.ends_with('\n') && answer.size() < 512) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    DWORD got = 0;
    if (!::ReadFile(pipe, chunk, sizeof chunk, nullptr, &overlapped) &&
        ::GetLastError() != ERROR_IO_PENDING)
      break;
    const bool in_time = ::WaitForSingleObject(event.get(), wait_ms) == WAIT_OBJECT_0;
    if (!in_time) ::CancelIo(pipe);
    // Waits for the cancelled read too: chunk stays the system's until then.
    if (!::GetOverlappedResult(pipe, &overlapped, &got, TRUE) || !in_time || got == 0) break;
    answer.append(chunk, got);
  }
  return answer;
}

}  // namespace

StationMutex::StationMutex(std::string window_class, std::string caption)
    : window_class_(std::move(window_class)),
      caption_(std::move(caption)),
      self_{account_name(), session_name()} {}

// A mutex made by another account's program may refuse this one access: held all the same.
bool StationMutex::acquire() {
  mutex_.reset(::CreateMutexA(nullptr, FALSE, kMutexName));
  const DWORD error = ::GetLastError();
  if (!mutex_) {
    if (error == ERROR_ACCESS_DENIED) return false;
    throw std::runtime_error("The station's lock could not be made");
  }
  if (error == ERROR_ALREADY_EXISTS) return false;
  pipe_ = HolderPipe::open(kPipeName, holder_line(self_));
  return true;
}

std::optional<StationHolder> StationMutex::holder() {
  const UniqueHandle pipe = connect_to_holder();
  if (!pipe) return std::nullopt;
  return parse_holder_line(read_answer(pipe.get(), kAnswerWaitMs));
}

void StationMutex::answer_askers() {
  if (pipe_) pipe_->poll();
}

// Windows lets the program the operator has just started put a window in front; the one in
// front is the holder's open error box if there is one. A holder still building its window
// is not found: then nothing is shown.
void StationMutex::bring_holder_forward() {
  const HWND main = ::FindWindowA(window_class_.c_str(), caption_.c_str());
  if (main == nullptr) return;
  if (const HWND owner = ::GetWindow(main, GW_OWNER); owner != nullptr && ::IsIconic(owner))
    ::ShowWindow(owner, SW_RESTORE);
  ::SetForegroundWindow(::GetLastActivePopup(main));
}

}  // namespace lumenpoll
