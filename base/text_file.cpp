#include "base/text_file.h"

#include <algorithm>
#include <string_view>

#include "base/errors.h"

namespace lumenpoll {

namespace {

constexpr int kLf = '\n';
constexpr int kCr = '\r';
constexpr int kCtrlZ = 0x1A;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kFileNotOpen = 103;

}  // namespace

TextFileReader::TextFileReader(FileSystem& files, const std::string& path)
    : reader_(files.open_read(path)) {
  skip_byte_order_mark();
}

void TextFileReader::skip_byte_order_mark() {
  // Reads may come short, so gather enough bytes to see the whole mark.
  while (len_ < kByteOrderMark.size() && !exhausted_) {
    std::size_t got = reader_->read(buffer_.data() + len_, buffer_.size() - len_);
    if (got == 0) exhausted_ = true;
    len_ += got;
  }
  if (std::string_view(buffer_.data(), len_).starts_with(kByteOrderMark)) {
    pos_ = kByteOrderMark.size();
    skipped_byte_order_mark_ = true;
  }
}

int TextFileReader::peek() {
  if (pos_ == len_) {
    if (exhausted_) return kEnd;
    pos_ = 0;
    len_ = reader_->read(buffer_.data(), buffer_.size());
    if (len_ == 0) {
      exhausted_ = true;
      return kEnd;
    }
  }
  return static_cast<unsigned char>(buffer_[pos_]);
}

bool TextFileReader::eof() {
  int next = peek();
  return next == kEnd || next == kCtrlZ;
}

std::string TextFileReader::read_line() {
  std::string line;
  if (eof()) return line;
  for (;;) {
    int next = peek();
    if (next == kEnd) return line;
    advance();
    if (next == kLf) return line;
    if (next == kCtrlZ) {
      skip_rest_of_line();
      return line;
    }
    if (next == kCr) {
      if (peek() == kLf) {
        advance();
        return line;
      }
      continue;  // a stray CR is dropped and the line goes on
    }
    line.push_back(static_cast<char>(next));
  }
}

void TextFileReader::skip_rest_of_line() {
  for (int next = peek(); next != kEnd; next = peek()) {
    advance();
    if (next == kLf) return;
  }
}

TextFileWriter::TextFileWriter(FileSystem& files, const std::string& path)
    : writer_(files.create_exclusive(path)) {}

void TextFileWriter::write_line(const std::string& line) {
  if (!writer_) throw EInOutError(kFileNotOpen);
  append(line);
  append("\r\n");
}

void TextFileWriter::append(std::string_view bytes) {
  while (!bytes.empty()) {
    if (len_ == buffer_.size()) flush(*writer_);
    std::size_t n = std::min(bytes.size(), buffer_.size() - len_);
    std::copy_n(bytes.data(), n, buffer_.data() + len_);
    len_ += n;
    bytes.remove_prefix(n);
  }
}

void TextFileWriter::close() {
  if (!writer_) return;
  // The file is released even when the last write fails; the failure is still reported.
  std::unique_ptr<ByteWriter> writer = std::move(writer_);
  flush(*writer);
  writer->close();
}

void TextFileWriter::flush(ByteWriter& writer) {
  std::size_t n = len_;
  len_ = 0;
  if (n > 0) writer.write(buffer_.data(), n);
}

}  // namespace lumenpoll
