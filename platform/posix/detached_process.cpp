#include "platform/posix/detached_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "platform/posix/unique_fd.h"

namespace lumenpoll {

namespace {

// Everything the child needs, made before fork: after it only async-signal-safe calls.
struct LaunchPlan {
  std::vector<char*> argv;
  const char* working_folder = nullptr;
  char** envp = nullptr;
  int null_fd = -1;
  int report_fd = -1;  // close-on-exec: silent when exec succeeds
  unsigned highest_fd = 0;
  sigset_t empty_mask{};
};

// Keeps our own descriptors off 0, 1 and 2, which the child is about to replace.
UniqueFd above_standard_streams(UniqueFd fd) {
  if (!fd || fd.get() > STDERR_FILENO) return fd;
  return UniqueFd(::fcntl(fd.get(), F_DUPFD_CLOEXEC, STDERR_FILENO + 1));
}

// Bounds the one-by-one closing where close_range() is missing (kernels before 5.9).
unsigned highest_possible_fd() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
      limit.rlim_cur > 65536) {
    return 65535;
  }
  return static_cast<unsigned>(limit.rlim_cur) - 1;
}

[[noreturn]] void report_and_exit(int report_fd, int err) {
  if (::write(report_fd, &err, sizeof err) < 0) {
    // Nobody left to tell; the parent then takes the start for a success.
  }
  ::_exit(127);
}

void close_range_or_each(unsigned first, unsigned last, unsigned fallback_last) {
  if (first > last) return;
  if (::close_range(first, last, 0) == 0) return;
  for (unsigned fd = first; fd <= std::min(last, fallback_last); ++fd) {
    ::close(static_cast<int>(fd));
  }
}

void reset_signals(const LaunchPlan& plan) {
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  for (int sig = 1; sig < NSIG; ++sig) {
    if (sig != SIGKILL && sig != SIGSTOP) ::sigaction(sig, &default_action, nullptr);
  }
  ::sigprocmask(SIG_SETMASK, &plan.empty_mask, nullptr);
}

[[noreturn]] void become_program(const LaunchPlan& plan) {
  reset_signals(plan);
  for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
    if (::dup2(plan.null_fd, stream) < 0) report_and_exit(plan.report_fd, errno);
  }
  const unsigned report = static_cast<unsigned>(plan.report_fd);
  close_range_or_each(STDERR_FILENO + 1, report - 1, plan.highest_fd);
  close_range_or_each(report + 1, ~0U, plan.highest_fd);
  if (plan.working_folder != nullptr && ::chdir(plan.working_folder) != 0) {
    report_and_exit(plan.report_fd, errno);
  }
  ::execve(plan.argv[0], plan.argv.data(), plan.envp);
  report_and_exit(plan.report_fd, errno);
}

// The middle process: a new session, one fork, and gone, so the program is orphaned and
// its end is reaped by the system, not by us.
[[noreturn]] void run_intermediate(const LaunchPlan& plan) {
  ::setsid();
  const pid_t pid = ::fork();
  if (pid < 0) report_and_exit(plan.report_fd, errno);
  if (pid == 0) become_program(plan);
  ::_exit(0);
}

void reap(pid_t pid) {
  while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

int read_report(const UniqueFd& fd) {
  int err = 0;
  ssize_t n;
  do {
    n = ::read(fd.get(), &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(sizeof err) ? err : 0;
}

}  // namespace

int start_detached(const std::vector<std::string>& argv, const std::string& working_folder) {
  LaunchPlan plan;
  for (const std::string& arg : argv) plan.argv.push_back(const_cast<char*>(arg.c_str()));
  plan.argv.push_back(nullptr);
  if (!working_folder.empty()) plan.working_folder = working_folder.c_str();
  plan.envp = environ;
  plan.highest_fd = highest_possible_fd();
  sigemptyset(&plan.empty_mask);

  UniqueFd null_fd = above_standard_streams(UniqueFd(::open("/dev/null", O_RDWR | O_CLOEXEC)));
  if (!null_fd) return errno;
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return errno;
  UniqueFd report_read = above_standard_streams(UniqueFd(pipe_fds[0]));
  UniqueFd report_write = above_standard_streams(UniqueFd(pipe_fds[1]));
  if (!report_read || !report_write) return errno;
  plan.null_fd = null_fd.get();
  plan.report_fd = report_write.get();

  const pid_t pid = ::fork();
  if (pid < 0) return errno;
  if (pid == 0) run_intermediate(plan);
  report_write.reset();
  reap(pid);
  return read_report(report_read);
}

}  // namespace lumenpoll
