#pragma once

#include <memory>
#include <string>

#include "base/file_system.h"

namespace lumenpoll {

// Text files by station path with the Win32 file API, paths as written. A reader lets
// others read and write meanwhile; a writer holds the file for writing alone while others
// may read it. Failures carry GetLastError's code (2 file missing, 3 folder missing, 5 access
// denied or a folder, 32 held by another writer, ...); a full disk is 101.
class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteReader> open_read(const std::string& path) override;
  std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) override;
  void check_rewritable(const std::string& path) override;
};

}  // namespace lumenpoll
