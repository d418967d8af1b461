#pragma once

#include <dirent.h>

#include <memory>

namespace lumenpoll {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// An open folder listing, closed when dropped; empty when opendir() failed.
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

}  // namespace lumenpoll
