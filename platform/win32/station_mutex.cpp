#include "platform/win32/station_mutex.h"

#include <sddl.h>
#include <windows.h>

#include <stdexcept>
#include <utility>

namespace lumenpoll {
namespace {

constexpr const char* kMutexName = "Global\\lumenpoll station";
constexpr const char* kSessionMutexName = "Local\\lumenpoll session";
constexpr const char* kPipeName = "\\\\.\\pipe\\lumenpoll station";
// Every account may wait on the station's mutex and give it back, and nothing more: a start
// in another account's session must be able to take a station that was handed over.
constexpr const char* kMutexSecurity = "D:(A;;0x00100001;;;WD)";  // SYNCHRONIZE | MODIFY_STATE
constexpr DWORD kMutexAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

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

// The station's mutex, made or opened. No handle when another account's program made it
// without letting others in (an earlier version did): false. Throws on any other failure.
bool open_station_mutex(UniqueHandle& mutex) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(kMutexSecurity, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
    throw std::runtime_error("The station's lock could not be made");
  const UniqueLocal owned_descriptor(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  mutex.reset(::CreateMutexExA(&attributes, kMutexName, 0, kMutexAccess));
  if (mutex) return true;
  if (::GetLastError() == ERROR_ACCESS_DENIED) return false;
  throw std::runtime_error("The station's lock could not be made");
}

// The pipe of the holder, opened for its answer; nothing when there is none (no program
// answers) or it stays busy.
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

StationMutex::~StationMutex() {
  release();
}

// Another account's copy in this session (one run as administrator) may refuse this one
// access to its mutex: there all the same.
bool StationMutex::claim_session() {
  UniqueHandle session(::CreateMutexA(nullptr, FALSE, kSessionMutexName));
  const DWORD error = ::GetLastError();
  if (!session && error != ERROR_ACCESS_DENIED)
    throw std::runtime_error("The session's lock could not be made");
  if (!session || error == ERROR_ALREADY_EXISTS) return false;
  session_ = std::move(session);
  return true;
}

// Held is owned, not made: a handle that another start keeps, or a holder that ended
// without giving the mutex back, holds nothing. Whoever serves the pipe holds the station
// all the same (an earlier version, which held the mutex by making it, or a program that
// took the name).
bool StationMutex::acquire() {
  request_.reset();  // this program's own request would keep the old holder's pipe
  if (mutex_) return true;
  UniqueHandle mutex;
  if (!open_station_mutex(mutex)) return false;
  const DWORD waited = ::WaitForSingleObject(mutex.get(), 0);
  if (waited == WAIT_TIMEOUT) return false;
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
    throw std::runtime_error("The station's lock could not be taken");
  std::unique_ptr<HolderPipe> pipe =
      HolderPipe::open(kPipeName, [this](std::optional<ULONG> asker) { return answer_for(asker); });
  if (!pipe) {
    ::ReleaseMutex(mutex.get());
    return false;
  }
  mutex_ = std::move(mutex);
  pipe_ = std::move(pipe);
  return true;
}

// The pipe goes first, so that the next holder can make it.
void StationMutex::release() {
  pipe_.reset();
  if (mutex_) ::ReleaseMutex(mutex_.get());
  mutex_.reset();
}

std::optional<HolderAnswer> StationMutex::ask() {
  const UniqueHandle pipe = connect_to_holder();
  if (!pipe) return std::nullopt;
  return parse_holder_answer(read_answer(pipe.get(), kAnswerWaitMs));
}

// The connection is the request. It stays open until the next look, or the holder would
// find nobody to learn the session of.
void StationMutex::ask_to_hand_over() {
  request_.reset();
  request_.reset(::CreateFileA(kPipeName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

std::string StationMutex::answer_for(std::optional<ULONG> asker_session) const {
  const std::optional<SessionId> asker =
      asker_session ? std::optional<SessionId>(*asker_session) : std::nullopt;
  return holder_line(self_, decide_ ? decide_(asker) : HolderVerdict::Held);
}

void StationMutex::answer_askers() {
  if (pipe_) pipe_->poll();
}

// Windows lets the program the operator has just started put a window in front; the one in
// front is the window's open error box if there is one. A window still being built is not
// found.
bool StationMutex::raise_window() {
  const HWND main = ::FindWindowA(window_class_.c_str(), caption_.c_str());
  if (main == nullptr) return false;
  if (const HWND owner = ::GetWindow(main, GW_OWNER); owner != nullptr && ::IsIconic(owner))
    ::ShowWindow(owner, SW_RESTORE);
  ::SetForegroundWindow(::GetLastActivePopup(main));
  return true;
}

}  // namespace lumenpoll
