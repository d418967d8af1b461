#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace lumenpoll {

// An open file being read. read() gives 0 at the end; failures throw EInOutError.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// An open file being written; close() reports the last failure. Destroying an
// unclosed writer releases the file quietly (the error that got us there is reported).
class ByteWriter {
 public:
  virtual ~ByteWriter() = default;
  virtual void write(const char* data, std::size_t size) = 0;
  virtual void close() = 0;
};

// Text files by their station (Windows) path. Failures throw EInOutError with the
// Windows-style code of the table: 2 missing file, 3 missing folder, 5 access denied, ...
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Needs an existing file; others may read it meanwhile.
  virtual std::unique_ptr<ByteReader> open_read(const std::string& path) = 0;
  // Creates or empties the file, holding it for exclusive writing (others may read).
  virtual std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) = 0;
  // Throws as create_exclusive would on an existing file, but changes nothing: the file is
  // opened for writing without being emptied, and closed.
  virtual void check_rewritable(const std::string& path) = 0;
};

}  // namespace lumenpoll
