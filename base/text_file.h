#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

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
  // Whether the file began with a UTF-8 byte-order mark, which was skipped.
  bool skipped_byte_order_mark() const { return skipped_byte_order_mark_; }

 private:
  static constexpr int kEnd = -1;

  int peek();  // next byte, or kEnd at the end of the file
  void advance() { ++pos_; }
  void skip_byte_order_mark();
  void skip_rest_of_line();

  std::unique_ptr<ByteReader> reader_;
  std::array<char, 128> buffer_{};
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  bool exhausted_ = false;  // the file gave all it has; it is not asked again
  bool skipped_byte_order_mark_ = false;
};

// Writes lines ended by CR LF; close() must be called to learn whether it all got out.
class TextFileWriter {
 public:
  TextFileWriter(FileSystem& files, const std::string& path);
  void write_line(const std::string& line);
  void close();

 private:
  void append(std::string_view bytes);
  void flush(ByteWriter& writer);

  std::unique_ptr<ByteWriter> writer_;  // empty once closed
  std::array<char, 128> buffer_{};
  std::size_t len_ = 0;
};

}  // namespace lumenpoll
