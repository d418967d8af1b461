// The Windows reference for a scan's cost: the bare FindFirstFile loop a folder listing
// cannot avoid.
//   bare_findfirst FOLDER SECONDS [PAUSE_MS]
// Lists FOLDER with FindFirstFileA/FindNextFileA/FindClose over and over for SECONDS of
// wall time, with a pause of PAUSE_MS after each listing when given (the program scans once
// a second and so finds the system's caches colder), and prints the time one listing takes
// in microseconds and the entries of one. The time is measured on the wall clock: under
// Wine part of the work is done by Wine's server, which the process's own CPU time misses.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

long list_once(const std::string& pattern) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long entries = 1;
  while (::FindNextFileA(search, &found)) ++entries;
  ::FindClose(search);
  return entries;
}

double now_us() {
  static const double ticks_per_us = [] {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
  }();
  LARGE_INTEGER ticks{};
  ::QueryPerformanceCounter(&ticks);
  return static_cast<double>(ticks.QuadPart) / ticks_per_us;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bare_findfirst FOLDER SECONDS [PAUSE_MS]\n");
    return 2;
  }
  const std::string pattern = std::string(argv[1]) + "\\*";
  const double until = now_us() + std::atof(argv[2]) * 1e6;
  const DWORD pause_ms = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 0;
  double spent = 0;
  long runs = 0;
  long entries = 0;
  do {  // one listing at least, whatever the time given
    const double before = now_us();
    entries = list_once(pattern);
    spent += now_us() - before;
    if (entries < 0) {
      std::fprintf(stderr, "%s: cannot be listed\n", argv[1]);
      return 1;
    }
    ++runs;
    if (pause_ms > 0) ::Sleep(pause_ms);
  } while (now_us() < until);
  std::printf("%.1f %ld\n", spent / static_cast<double>(runs), entries);
  return 0;
}
