#pragma once

namespace lumenpoll {

// The station's error codes, numbered as Windows numbers them: the system's codes that the
// adapters give (a file error carries one as its code, a failed start as its result) and
// the file layer's own, from 100 on. EInOutError gives each its message.
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kNotEnoughMemory = 8;
inline constexpr int kBadFormat = 11;
inline constexpr int kWriteFault = 29;
inline constexpr int kReadFault = 30;
inline constexpr int kGeneralFailure = 31;
inline constexpr int kSharingViolation = 32;
inline constexpr int kFilenameTooLong = 206;
inline constexpr int kCannotComplete = 1003;
inline constexpr int kNoAssociation = 1155;

inline constexpr int kReadBeyondEndOfFile = 100;
inline constexpr int kDiskFull = 101;
inline constexpr int kInvalidNumericInput = 106;

}  // namespace lumenpoll
