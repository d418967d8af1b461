#pragma once

#include <array>
#include <memory>
#include <string>

#include "base/file_system.h"

namespace lumenpoll {

// Reads a text file line by line through a 128-byte buffer: LF or CR LF ends a line,
// a stray CR is dropped, Ctrl-Z at a line start ends the file and inside a line ends
// that line's text. A UTF-8 byte-order mark at the very start is skipped.
class TextFileReader {
 public:
  TextFileReader(FileSystem& files, const std::string& path);
  // True at the end of the file or before a Ctrl-Z that starts a line.
  bool eof();
  // The next line without its line end; an empty line at the end of the file.
  std::string read_line();

 private:
  int peek();  // next byte, or -1 at the end
  void advance() { ++pos_; }

  std::unique_ptr<ByteReader> reader_;
  std::array<char, 128> buffer_{};
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  bool at_end_ = false;
  bool at_start_ = true;
};

// Writes lines ended by CR LF; close() must be called to learn whether it all got out.
class TextFileWriter {
 public:
  TextFileWriter(FileSystem& files, const std::string& path);
  void write_line(const std::string& line);
  void close();

 private:
  void flush();

  std::unique_ptr<ByteWriter> writer_;
  std::array<char, 128> buffer_{};
  std::size_t len_ = 0;
};

}  // namespace lumenpoll
