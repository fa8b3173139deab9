// The one translation of POSIX errno values into the Windows error numbers the platform layer
// answers.
#pragma once

#include <string>

#include "platform/os_error.h"

namespace qrv::platform {

// Whether the failed call read or changed something; errors without a Windows counterpart answer
// kReadFault or kWriteFault accordingly.
enum class IoDirection { kRead, kWrite };

// nativePath is the path the failed call used: ENOENT answers kFileNotFound when its folder
// exists and kPathNotFound when the folder is missing too.
OsError OsErrorFromErrno(int err, IoDirection direction, const std::string& nativePath);

}  // namespace qrv::platform
