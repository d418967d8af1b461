#include "platform/posix/error_codes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

#include "base/errors.h"

namespace lumenpoll {
namespace {

struct FileErrorCase {
  int err;
  IoDirection direction;
  int code;
};

TEST(FileErrorCodeTest, MapsErrnoToTheStationsCode) {
  const FileErrorCase cases[] = {
      {ENOENT, IoDirection::kRead, 2},
      {ENOTDIR, IoDirection::kRead, 3},
      {EMFILE, IoDirection::kRead, 4},
      {ENFILE, IoDirection::kRead, 4},
      {EACCES, IoDirection::kRead, 5},
      {EPERM, IoDirection::kWrite, 5},
      {EISDIR, IoDirection::kRead, 5},
      {EROFS, IoDirection::kWrite, 5},
      {ENOSPC, IoDirection::kWrite, 101},
      {EDQUOT, IoDirection::kWrite, 101},
      {EIO, IoDirection::kRead, 30},
      {EIO, IoDirection::kWrite, 29},
      // Unmapped errno values that equal a code with a message of its own.
      {ESRCH, IoDirection::kRead, 31},
      {EINTR, IoDirection::kWrite, 31},
      {ENETDOWN, IoDirection::kRead, 31},
      {ENETUNREACH, IoDirection::kWrite, 31},
      {EISCONN, IoDirection::kRead, 31},
      // Any other is passed on, for its "I/O error N" to tell what happened.
      {EBADF, IoDirection::kRead, EBADF},
      {EAGAIN, IoDirection::kWrite, EAGAIN},
      {ESTALE, IoDirection::kRead, ESTALE},
      {EFBIG, IoDirection::kWrite, EFBIG},
  };
  for (const FileErrorCase& c : cases) {
    EXPECT_EQ(file_error_code(c.err, c.direction), c.code)
        << "errno " << c.err << (c.direction == IoDirection::kRead ? " reading" : " writing");
  }
}

TEST(FileErrorCodeTest, EioShowsAsAReadOrWriteFault) {
  EXPECT_STREQ(EInOutError(file_error_code(EIO, IoDirection::kRead)).what(), "I/O error 30");
  EXPECT_STREQ(EInOutError(file_error_code(EIO, IoDirection::kWrite)).what(), "I/O error 29");
}

// Only an errno that means the same may come out with a named message such as "Disk full".
TEST(FileErrorCodeTest, NoOtherErrnoGetsANamedMessage) {
  const std::set<int> meaning_named = {ENOENT, ENOTDIR, EMFILE, ENFILE, EACCES,
                                       EPERM,  EISDIR,  EROFS,  ENOSPC, EDQUOT};
  for (int err = 1; err < 200; ++err) {
    if (meaning_named.count(err) != 0) continue;
    for (IoDirection direction : {IoDirection::kRead, IoDirection::kWrite}) {
      const int code = file_error_code(err, direction);
      EXPECT_EQ(EInOutError::message_for(code), "I/O error " + std::to_string(code))
          << "errno " << err;
    }
  }
}

}  // namespace
}  // namespace lumenpoll
