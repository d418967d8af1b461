#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "base/error_codes.h"
#include "base/errors.h"
#include "platform/win32/win32_handles.h"

namespace lumenpoll {
namespace {

// The station's file error for a system error code: a full disk has a message of its own.
[[noreturn]] void fail(DWORD code) {
  if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) throw EInOutError(kDiskFull);
  throw EInOutError(static_cast<int>(code));
}

// Windows refuses a writer on a file marked read-only; Wine, run by an account that may
// write anything (root), would let it through. Asked of the open file, as the system does.
void refuse_read_only(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) fail(::GetLastError());
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) fail(ERROR_ACCESS_DENIED);
}

// Opened for writing, held against other writers, neither created nor emptied.
UniqueHandle open_for_writing(const std::string& path, DWORD disposition) {
  UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) fail(::GetLastError());
  refuse_read_only(file.get());
  return file;
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
  UniqueHandle file = open_for_writing(path, OPEN_ALWAYS);
  if (!::SetEndOfFile(file.get())) fail(::GetLastError());
  return std::make_unique<HandleWriter>(std::move(file));
}

void Win32FileSystem::check_rewritable(const std::string& path) {
  open_for_writing(path, OPEN_EXISTING);
}

}  // namespace lumenpoll
