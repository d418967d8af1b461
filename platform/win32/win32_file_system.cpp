#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "base/errors.h"
#include "platform/win32/unique_handle.h"

namespace lumenpoll {
namespace {

[[noreturn]] void fail(DWORD code) {
  throw EInOutError(static_cast<int>(code));
}

DWORD chunk(std::size_t size) {
  return static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
}

class HandleReader : public ByteReader {
 public:
  explicit HandleReader(UniqueHandle file) : file_(std::move(file)) {}

  std::size_t read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!::ReadFile(file_.get(), buffer, chunk(size), &got, nullptr)) fail(::GetLastError());
    return got;
  }

 private:
  UniqueHandle file_;
};

class HandleWriter : public ByteWriter {
 public:
  explicit HandleWriter(UniqueHandle file) : file_(std::move(file)) {}

  void write(const char* data, std::size_t size) override {
    while (size > 0) {
      DWORD written = 0;
      if (!::WriteFile(file_.get(), data, chunk(size), &written, nullptr)) fail(::GetLastError());
      if (written == 0) fail(ERROR_WRITE_FAULT);  // a device that takes nothing: never spin
      data += written;
      size -= written;
    }
  }

  // The system takes the disk space at every write, so a full disk has already been
  // reported by write(); closing gives the last word.
  void close() override {
    if (const DWORD err = file_.close_checked()) fail(err);
  }

 private:
  UniqueHandle file_;
};

}  // namespace

std::unique_ptr<ByteReader> Win32FileSystem::open_read(const std::string& path) {
  UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) fail(::GetLastError());
  return std::make_unique<HandleReader>(std::move(file));
}

// Opened before it is emptied, so a file held by another writer keeps its bytes; and not
// created anew, which a hidden or system file would refuse.
std::unique_ptr<ByteWriter> Win32FileSystem::create_exclusive(const std::string& path) {
  UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) fail(::GetLastError());
  if (!::SetEndOfFile(file.get())) fail(::GetLastError());
  return std::make_unique<HandleWriter>(std::move(file));
}

}  // namespace lumenpoll
