#pragma once

#include <string>

#include "base/folder_lister.h"

namespace lumenpoll {

// A raw file as the cycle took it: where it was and its stamp then. A file at the same path
// with another stamp is another exposure.
struct RawFile {
  std::string path;
  FileStamp stamp;
};

}  // namespace lumenpoll
