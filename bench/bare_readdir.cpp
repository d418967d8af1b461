// The reference for a scan's cost: the bare directory read a folder listing cannot avoid.
//   bare_readdir FOLDER SECONDS [PAUSE_MS]
// Lists FOLDER with opendir/readdir/closedir over and over for SECONDS (of CPU when
// back to back; of wall time with a pause of PAUSE_MS after each listing, as the program
// scans once a second and so finds the system's caches colder) and prints the CPU time of
// one listing in microseconds and the number of entries.
#include <dirent.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

double seconds_of(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long list_once(const char* folder) {
  DIR* dir = opendir(folder);
  if (dir == nullptr) return -1;
  long entries = 0;
  while (readdir(dir) != nullptr) ++entries;
  closedir(dir);
  return entries;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bare_readdir FOLDER SECONDS [PAUSE_MS]\n");
    return 2;
  }
  const double seconds = std::atof(argv[2]);
  const int pause_ms = argc > 3 ? std::atoi(argv[3]) : 0;
  const clockid_t clock = pause_ms > 0 ? CLOCK_MONOTONIC : CLOCK_PROCESS_CPUTIME_ID;
  const double start = seconds_of(clock);
  double cpu = 0;
  long runs = 0;
  long entries = 0;
  do {  // one listing at least, whatever the time given
    const double before = seconds_of(CLOCK_PROCESS_CPUTIME_ID);
    entries = list_once(argv[1]);
    cpu += seconds_of(CLOCK_PROCESS_CPUTIME_ID) - before;
    if (entries < 0) {
      std::perror(argv[1]);
      return 1;
    }
    ++runs;
    if (pause_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
  } while (seconds_of(clock) - start < seconds);
  std::printf("%.1f %ld\n", cpu / static_cast<double>(runs) * 1e6, entries);
  return 0;
}
