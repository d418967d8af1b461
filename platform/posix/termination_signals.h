#pragma once

#include <signal.h>

#include "platform/posix/unique_fd.h"

namespace lumenpoll {

// SIGTERM and SIGHUP (the session ending, a service manager stopping the program) as events
// of the message loop: while this object lives they are blocked and wait on a descriptor
// that the loop watches. Started scripts get the default mask and handlers back.
class TerminationSignals {
 public:
  TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;
  ~TerminationSignals();

  // Readable when a signal is waiting.
  int fd() const { return fd_.get(); }
  // Takes the waiting signals; true when one asked the program to end.
  bool take();

 private:
  sigset_t previous_{};
  UniqueFd fd_;
};

}  // namespace lumenpoll
