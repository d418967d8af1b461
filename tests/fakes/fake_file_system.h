#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "base/errors.h"
#include "base/file_system.h"

namespace lumenpoll::fakes {

// Files in memory by their exact station path, with failures on demand.
class FakeFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, int> open_errors;      // path -> code raised by open
  std::map<std::string, int> rewrite_errors;   // path -> code raised by check_rewritable
  std::optional<std::size_t> fail_read_after;  // bytes delivered before a read fails (code 5)
  std::optional<int> write_error;              // raised by the next write
  std::size_t max_read = SIZE_MAX;             // most bytes one read delivers
  int opens = 0;

  std::unique_ptr<ByteReader> open_read(const std::string& path) override {
    ++opens;
    if (auto e = open_errors.find(path); e != open_errors.end()) throw EInOutError(e->second);
    auto f = files.find(path);
    if (f == files.end()) throw EInOutError(2);
    return std::make_unique<Reader>(f->second, fail_read_after, max_read);
  }

  std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) override {
    ++opens;
    if (auto e = open_errors.find(path); e != open_errors.end()) throw EInOutError(e->second);
    files[path].clear();
    return std::make_unique<Writer>(files[path], write_error);
  }

  void check_rewritable(const std::string& path) override {
    if (auto e = rewrite_errors.find(path); e != rewrite_errors.end()) throw EInOutError(e->second);
    if (auto e = open_errors.find(path); e != open_errors.end()) throw EInOutError(e->second);
    if (!files.contains(path)) throw EInOutError(2);
  }

 private:
  class Reader : public ByteReader {
   public:
    Reader(std::string data, std::optional<std::size_t> fail_after, std::size_t max_read)
        : data_(std::move(data)), fail_after_(fail_after), max_read_(max_read) {}
    std::size_t read(char* buffer, std::size_t size) override {
      if (fail_after_ && pos_ >= *fail_after_) throw EInOutError(5);
      std::size_t n = std::min({size, data_.size() - pos_, max_read_});
      if (fail_after_) n = std::min(n, *fail_after_ - pos_);
      std::memcpy(buffer, data_.data() + pos_, n);
      pos_ += n;
      return n;
    }

   private:
    std::string data_;
    std::optional<std::size_t> fail_after_;
    std::size_t max_read_;
    std::size_t pos_ = 0;
  };

  class Writer : public ByteWriter {
   public:
    Writer(std::string& target, std::optional<int> error) : target_(target), error_(error) {}
    void write(const char* data, std::size_t size) override {
      if (error_) throw EInOutError(*error_);
      target_.append(data, size);
    }
    void close() override {}

   private:
    std::string& target_;
    std::optional<int> error_;
  };
};

}  // namespace lumenpoll::fakes
