#include "platform/posix/termination_signals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace lumenpoll {
namespace {

sigset_t ending_signals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  const sigset_t set = ending_signals();
  if (::sigprocmask(SIG_BLOCK, &set, &previous_) != 0)
    throw std::system_error(errno, std::generic_category(), "sigprocmask");
  fd_.reset(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
  if (!fd_) {
    const int err = errno;
    ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
    throw std::system_error(err, std::generic_category(), "signalfd");
  }
}

// Signals still waiting are taken first, so that unblocking does not end the program here.
TerminationSignals::~TerminationSignals() {
  take();
  ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

bool TerminationSignals::take() {
  bool ending = false;
  signalfd_siginfo info{};
  while (::read(fd_.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info))
    ending = ending || info.ssi_signo == SIGTERM || info.ssi_signo == SIGHUP;
  return ending;
}

}  // namespace lumenpoll
