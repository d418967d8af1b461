#pragma once

#include <cstdio>
#include <cstdlib>

namespace lumenpoll::fuzz {

// A broken property ends the run as a crash does, so libFuzzer keeps the input.
inline void check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace lumenpoll::fuzz
