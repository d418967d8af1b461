// The Windows reference for a scan's cost: the bare FindFirstFile loop a folder listing
// cannot avoid.
//   bare_findfirst FOLDER SECONDS
// Lists FOLDER with FindFirstFileA/FindNextFileA/FindClose over and over for SECONDS of
// wall time, then prints how many listings it made and the entries of one. Its CPU time is
// read from outside (under Wine, with the server's share).
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bare_findfirst FOLDER SECONDS\n");
    return 2;
  }
  const std::string pattern = std::string(argv[1]) + "\\*";
  const ULONGLONG until = ::GetTickCount64() + static_cast<ULONGLONG>(std::atof(argv[2]) * 1000);
  long runs = 0;
  long entries = 0;
  while (::GetTickCount64() < until) {
    entries = list_once(pattern);
    if (entries < 0) {
      std::fprintf(stderr, "%s: cannot be listed\n", argv[1]);
      return 1;
    }
    ++runs;
  }
  std::printf("%ld %ld\n", runs, entries);
  return 0;
}
