#pragma once

#include <memory>
#include <string>

#include "base/file_system.h"
#include "platform/posix/drive_path.h"

namespace lumenpoll {

// Text files by station path on a POSIX file system. Exclusive writing is an flock()
// held for as long as the writer is open; readers take no lock, so they may read meanwhile.
class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(DrivePath drive) : drive_(std::move(drive)) {}

  std::unique_ptr<ByteReader> open_read(const std::string& path) override;
  std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) override;
  void check_rewritable(const std::string& path) override;

 private:
  std::string mapped(const std::string& path) const;

  DrivePath drive_;
};

}  // namespace lumenpoll
