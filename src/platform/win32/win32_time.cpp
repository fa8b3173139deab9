#include "platform/win32/win32_time.h"

#include <cstdint>

namespace qrv::platform {
namespace {

// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

constexpr int64_t kUnixEpochInDateTime = 25569;  // 1 January 1970 counted from 30 December 1899
constexpr double kMsPerDay = 86400000.0;

}  // namespace

double DateTimeFromSystemTime(const SYSTEMTIME& time) {
  const int64_t days = DaysFromCivil(time.wYear, time.wMonth, time.wDay) + kUnixEpochInDateTime;
  const double fraction =
      (((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds) /
      kMsPerDay;
  // Before the epoch the day count is negative and the time of day still counts away from it.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

double LocalDateTimeFromFileTime(const FILETIME& utc) {
  SYSTEMTIME universal;
  SYSTEMTIME local;
  if (!FileTimeToSystemTime(&utc, &universal)) return 0;
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) return 0;
  return DateTimeFromSystemTime(local);
}

}  // namespace qrv::platform
