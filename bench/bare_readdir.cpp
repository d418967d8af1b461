// The reference for a scan's cost: the bare directory read a folder listing cannot avoid.
//   bare_readdir FOLDER [SECONDS]
// Lists FOLDER with opendir/readdir/closedir over and over for SECONDS (default 5) and
// prints the CPU time of one listing in microseconds and the number of entries.
#include <dirent.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
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
  if (argc < 2) {
    std::fprintf(stderr, "usage: bare_readdir FOLDER [SECONDS]\n");
    return 2;
  }
  const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
  const double start = cpu_seconds();
  long runs = 0;
  long entries = 0;
  while (cpu_seconds() - start < seconds) {
    entries = list_once(argv[1]);
    if (entries < 0) {
      std::perror(argv[1]);
      return 1;
    }
    ++runs;
  }
  std::printf("%.1f %ld\n", (cpu_seconds() - start) / static_cast<double>(runs) * 1e6, entries);
  return 0;
}
