#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/errors.h"
#include "platform/posix/error_codes.h"
#include "platform/posix/unique_fd.h"

namespace lumenpoll {

namespace {

// Opening, locking and reading fail as reads; truncating, writing and closing a writer as
// writes.
[[noreturn]] void fail_reading(int err) {
  throw EInOutError(file_error_code(err, IoDirection::kRead));
}

[[noreturn]] void fail_writing(int err) {
  throw EInOutError(file_error_code(err, IoDirection::kWrite));
}

// Repeats a call that a signal interrupted; gives the result of the last one.
template <typename Call>
auto uninterrupted(Call call) {
  auto result = call();
  while (result == -1 && errno == EINTR) result = call();
  return result;
}

// O_NONBLOCK keeps a FIFO from stalling the open; such a file is refused right after.
UniqueFd open_file(const std::string& path, int flags) {
  const int fd =
      uninterrupted([&] { return ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644); });
  if (fd < 0) {
    if (errno == ENOENT) throw EInOutError(missing_path_code(path));
    fail_reading(errno);
  }
  return UniqueFd(fd);
}

// Folders and devices are not text files: refused as access denied, like a folder on the
// station.
void require_regular_file(const UniqueFd& fd) {
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) fail_reading(errno);
  if (!S_ISREG(st.st_mode)) throw EInOutError(kAccessDenied);
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) fail_reading(errno);
}

void lock_exclusively(const UniqueFd& fd) {
  if (uninterrupted([&] { return ::flock(fd.get(), LOCK_EX | LOCK_NB); }) == 0) return;
  if (errno == EWOULDBLOCK) throw EInOutError(kSharingViolation);
  fail_reading(errno);
}

void truncate_to_empty(const UniqueFd& fd) {
  if (uninterrupted([&] { return ::ftruncate(fd.get(), 0); }) != 0) fail_writing(errno);
}

class FdReader : public ByteReader {
 public:
  explicit FdReader(UniqueFd fd) : fd_(std::move(fd)) {}

  std::size_t read(char* buffer, std::size_t size) override {
    const ssize_t n = uninterrupted([&] { return ::read(fd_.get(), buffer, size); });
    if (n < 0) fail_reading(errno);
    return static_cast<std::size_t>(n);
  }

 private:
  UniqueFd fd_;
};

class FdWriter : public ByteWriter {
 public:
  explicit FdWriter(UniqueFd fd) : fd_(std::move(fd)) {}

  void write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t n = uninterrupted([&] { return ::write(fd_.get(), data, size); });
      if (n < 0) fail_writing(errno);
      data += n;
      size -= static_cast<std::size_t>(n);
    }
  }

  // Flushes to the disk first: a disk that fills up during write-back would otherwise lose
  // the file without a word.
  void close() override {
    if (!fd_) return;
    const int result = uninterrupted([&] { return ::fdatasync(fd_.get()); });
    // EINVAL: a file that cannot be synced; there is nothing to lose.
    int err = result != 0 && errno != EINVAL ? errno : 0;
    const int close_err = fd_.close_checked();
    if (err == 0 && close_err != EINTR) err = close_err;
    if (err != 0) fail_writing(err);
  }

 private:
  UniqueFd fd_;
};

}  // namespace

std::unique_ptr<ByteReader> PosixFileSystem::open_read(const std::string& path) {
  UniqueFd fd = open_file(mapped(path), O_RDONLY);
  require_regular_file(fd);
  return std::make_unique<FdReader>(std::move(fd));
}

// The lock comes before the truncation, so a file held by another writer keeps its bytes.
std::unique_ptr<ByteWriter> PosixFileSystem::create_exclusive(const std::string& path) {
  UniqueFd fd = open_file(mapped(path), O_WRONLY | O_CREAT);
  require_regular_file(fd);
  lock_exclusively(fd);
  truncate_to_empty(fd);
  return std::make_unique<FdWriter>(std::move(fd));
}

void PosixFileSystem::check_rewritable(const std::string& path) {
  const UniqueFd fd = open_file(mapped(path), O_WRONLY);
  require_regular_file(fd);
  lock_exclusively(fd);
}

std::string PosixFileSystem::mapped(const std::string& path) const {
  auto posix_path = drive_.map(path);
  if (!posix_path) throw EInOutError(kPathNotFound);
  return *posix_path;
}

}  // namespace lumenpoll
