#include "platform/posix/posix_time.h"

#include <time.h>

#include <cstdint>

namespace qrv::platform {

namespace {

// Days from 1 January 1970 to the civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// 30 December 1899 counted from 1 January 1970.
constexpr int64_t kEpochOffset = -25569;

}  // namespace

double LocalDateTime(time_t seconds, long nanoseconds) {
  struct tm local {};
  localtime_r(&seconds, &local);
  const int64_t days = DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                     static_cast<unsigned>(local.tm_mday)) -
                       kEpochOffset;
  const int64_t ms =
      ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000LL + nanoseconds / 1000000;
  return static_cast<double>(days) + static_cast<double>(ms) / 86400000.0;
}

}  // namespace qrv::platform
