#include "platform/win32/holder_pipe.h"

#include <utility>

namespace lumenpoll {

void HolderPipe::Operation::begin() {
  if (!event) event.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ::ResetEvent(event.get());
  overlapped = OVERLAPPED{};
  overlapped.hEvent = event.get();
}

// An overlapped call that returned TRUE has finished and signalled its event too.
void HolderPipe::Operation::issued(BOOL started) {
  queued = started != FALSE || ::GetLastError() == ERROR_IO_PENDING;
}

bool HolderPipe::Operation::done() const {
  return !queued || ::WaitForSingleObject(event.get(), 0) == WAIT_OBJECT_0;
}

// Its buffer and OVERLAPPED stay the system's until it has finished.
void HolderPipe::Operation::collect(HANDLE pipe) {
  if (!queued) return;
  DWORD transferred = 0;
  ::GetOverlappedResult(pipe, &overlapped, &transferred, TRUE);
  queued = false;
}

std::unique_ptr<HolderPipe> HolderPipe::open(const char* name, Answer answer) {
  // The first instance only: a pipe of this name made by anybody else is not ours to serve.
  // The default security lets every account read it.
  UniqueHandle pipe(::CreateNamedPipeA(
      name, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 512, 16, 0,
      nullptr));
  if (!pipe) return nullptr;
  return std::unique_ptr<HolderPipe>(new HolderPipe(std::move(pipe), std::move(answer)));
}

HolderPipe::HolderPipe(UniqueHandle pipe, Answer answer)
    : pipe_(std::move(pipe)), answer_(std::move(answer)) {
  listen();
}

HolderPipe::~HolderPipe() {
  ::CancelIo(pipe_.get());
  for (Operation* op : {&connect_, &write_, &read_}) op->collect(pipe_.get());
}

void HolderPipe::listen() {
  connect_.begin();
  const BOOL connected = ::ConnectNamedPipe(pipe_.get(), &connect_.overlapped);
  const DWORD error = ::GetLastError();
  connect_.issued(connected);
  if (error == ERROR_PIPE_CONNECTED) {  // the start was quicker than this call
    answer();
  } else if (!connect_.queued) {
    broken_ = true;
  }
}

void HolderPipe::poll() {
  if (broken_) return;
  if (!answering_) {
    if (!connect_.done()) return;
    DWORD transferred = 0;
    const BOOL connected =
        ::GetOverlappedResult(pipe_.get(), &connect_.overlapped, &transferred, FALSE);
    connect_.queued = false;
    if (connected) {
      answer();
    } else {
      hang_up();
    }
    return;
  }
  // The start has read the line once it closes (the one-byte read ends then) or its time is up.
  if (read_.done() || ::GetTickCount64() >= deadline_) hang_up();
}

// The connection is the request: the start's session comes from the system, not from it.
void HolderPipe::answer() {
  ULONG session = 0;
  line_ =
      answer_(::GetNamedPipeClientSessionId(pipe_.get(), &session) ? std::optional<ULONG>(session)
                                                                   : std::nullopt);
  write_.begin();
  write_.issued(::WriteFile(pipe_.get(), line_.data(), static_cast<DWORD>(line_.size()), nullptr,
                            &write_.overlapped));
  read_.begin();
  read_.issued(::ReadFile(pipe_.get(), &byte_, 1, nullptr, &read_.overlapped));
  answering_ = true;
  deadline_ = ::GetTickCount64() + kHoldMs;
}

// Unread data goes with the connection: only once the start has gone, or waited too long.
void HolderPipe::hang_up() {
  ::CancelIo(pipe_.get());
  for (Operation* op : {&write_, &read_}) op->collect(pipe_.get());
  ::DisconnectNamedPipe(pipe_.get());
  answering_ = false;
  listen();
}

}  // namespace lumenpoll
