// The bounded retry of the Windows build's file calls. The data folder usually lies on a network
// share where virus scanners and backups hold a file for a moment: a call that meets a sharing or
// lock violation is tried again a few times before its error goes up.
#pragma once

#include "platform/os_error.h"
#include "platform/win32/win32_api.h"

namespace qrv::platform {

inline constexpr int kBusyRetries = 10;
inline constexpr DWORD kBusyPauseMs = 50;

inline bool IsBusy(OsError error) {
  return error == kSharingViolation || error == kLockViolation;
}

// Runs call() until it answers something other than a sharing or lock violation, at most
// kBusyRetries times; answers the last result.
template <typename Call>
OsError RetryWhileBusy(Call call) {
  OsError error = call();
  for (int attempt = 1; attempt < kBusyRetries && IsBusy(error); ++attempt) {
    Sleep(kBusyPauseMs);
    error = call();
  }
  return error;
}

// The calling thread's last error after a failed call; fallback should the call have left none.
inline OsError LastError(OsError fallback = kInvalidParameter) {
  const DWORD error = GetLastError();
  return error != 0 ? static_cast<OsError>(error) : fallback;
}

}  // namespace qrv::platform
