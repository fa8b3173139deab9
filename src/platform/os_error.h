// Operating-system error codes as the platform layer reports them.
//
// Every implementation answers Windows error numbers, because the file layer turns them into the
// installation's input/output errors and callers test for particular codes (2, 3, 18 "not found").
#pragma once

#include <cstdint>

namespace qrv::platform {

using OsError = uint32_t;

inline constexpr OsError kOk = 0;
inline constexpr OsError kFileNotFound = 2;
inline constexpr OsError kPathNotFound = 3;
inline constexpr OsError kTooManyOpenFiles = 4;
inline constexpr OsError kAccessDenied = 5;
inline constexpr OsError kInvalidHandle = 6;
inline constexpr OsError kNotEnoughMemory = 8;
inline constexpr OsError kNoMoreFiles = 18;
inline constexpr OsError kWriteFault = 29;
inline constexpr OsError kReadFault = 30;
inline constexpr OsError kSharingViolation = 32;
inline constexpr OsError kLockViolation = 33;
inline constexpr OsError kHandleEof = 38;
inline constexpr OsError kBadNetPath = 53;
inline constexpr OsError kFileExists = 80;
inline constexpr OsError kInvalidParameter = 87;
inline constexpr OsError kDiskFull = 112;
inline constexpr OsError kInvalidName = 123;
inline constexpr OsError kDirNotEmpty = 145;
inline constexpr OsError kAlreadyExists = 183;
inline constexpr OsError kMoreData = 234;
inline constexpr OsError kNoMoreItems = 259;
inline constexpr OsError kBadRegistryKey = 1010;  // key marked for deletion or otherwise unusable

}  // namespace qrv::platform
