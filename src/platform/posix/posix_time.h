// Local date-times of the POSIX platform layer.
#pragma once

#include <ctime>

namespace qrv::platform {

// The local date-time (days since 30 December 1899) of a moment given as seconds and nanoseconds
// since the epoch, to the millisecond (truncated).
double LocalDateTime(time_t seconds, long nanoseconds);

}  // namespace qrv::platform
