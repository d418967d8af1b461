#pragma once

#include <unistd.h>

#include <cerrno>

#include "platform/common/unique_resource.h"

namespace lumenpoll {

struct FdTraits {
  using Value = int;
  static constexpr int empty = -1;
  static bool holds(int fd) { return fd >= 0; }
  static void close(int fd) { ::close(fd); }
  // Linux frees the descriptor even when close() fails.
  static int close_reporting(int fd) { return ::close(fd) == 0 ? 0 : errno; }
};

// One file descriptor, closed when dropped; -1 holds nothing.
using UniqueFd = UniqueResource<FdTraits>;

}  // namespace lumenpoll
