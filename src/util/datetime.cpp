#include "util/datetime.h"

#include <cmath>
#include <limits>

#include "platform/clock.h"
#include "platform/nls.h"
#include "util/errors.h"
#include "util/rounding.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr int64_t kMsPerDay = 86'400'000;
// Day numbers (days since 30 Dec 1899) of 1 Jan 0001 and 31 Dec 9999.
constexpr int64_t kFirstDay = -693'593;
constexpr int64_t kLastDay = 2'958'465;
// Days from 1 Jan 1970 back to 30 Dec 1899.
constexpr int64_t kDaysTo1970 = 25'569;

bool IsLeapYear(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Gregorian calendar arithmetic on day numbers counted from 1 Jan 1970 (the civil-date
// algorithm with eras of 400 years, exact for every year).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146'097 + doe - 719'468;
}

void CivilFromDays(int64_t z, int64_t* y, int64_t* m, int64_t* d) {
  z += 719'468;
  const int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const int64_t doe = z - era * 146'097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = yoe + era * 400 + (*m <= 2);
}

// A date-time as its day number and the milliseconds into that day, the time rounded to the
// millisecond and carried into the next day when it reaches 24:00. False when the value is not
// a number or lies outside the years 1..9999.
bool SplitDateTime(TDateTime t, int64_t* day, int64_t* ms) {
  if (!std::isfinite(t) || t < kFirstDay - 1.0 || t > kLastDay + 1.0) return false;
  double whole = std::trunc(t);
  *day = static_cast<int64_t>(whole);
  *ms = static_cast<int64_t>(RoundHalfAway(std::fabs(t - whole) * kMsPerDay));
  if (*ms >= kMsPerDay) {
    *ms -= kMsPerDay;
    ++*day;
  }
  return *day >= kFirstDay && *day <= kLastDay;
}

// The inverse of SplitDateTime: before 30 Dec 1899 the time counts away from zero.
TDateTime ComposeDateTime(int64_t day, int64_t ms) {
  double fraction = static_cast<double>(ms) / kMsPerDay;
  return day >= 0 ? day + fraction : day - fraction;
}

// Milliseconds into the day of the time part; 0 for a value outside the date range.
int64_t MsOfDay(TDateTime t) {
  int64_t day = 0, ms = 0;
  return SplitDateTime(t, &day, &ms) ? ms : 0;
}

}  // namespace

double MinutesToTime(int64_t minutes) {
  return static_cast<double>(minutes) / 1440.0;
}

double SecondsToTime(int64_t seconds) {
  return static_cast<double>(seconds) / 86400.0;
}

bool TryEncodeDate(int year, int month, int day, TDateTime* out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, static_cast<uint16_t>(month))) return false;
  *out = static_cast<double>(DaysFromCivil(year, month, day) + kDaysTo1970);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime t = 0;
  if (!TryEncodeDate(year, month, day, &t))
    throw EConvertError("Ung\xFCltiges Argument f\xFCr Datumskodierung");
  return t;
}

void DecodeDate(TDateTime t, uint16_t* year, uint16_t* month, uint16_t* day) {
  int64_t number = 0, ms = 0;
  int64_t y = 0, m = 0, d = 0;
  if (SplitDateTime(t, &number, &ms)) CivilFromDays(number - kDaysTo1970, &y, &m, &d);
  *year = static_cast<uint16_t>(y);
  *month = static_cast<uint16_t>(m);
  *day = static_cast<uint16_t>(d);
}

uint16_t YearOfDate(TDateTime t) {
  uint16_t y, m, d;
  DecodeDate(t, &y, &m, &d);
  return y;
}

uint16_t MonthOfDate(TDateTime t) {
  uint16_t y, m, d;
  DecodeDate(t, &y, &m, &d);
  return m;
}

uint16_t DayOfDate(TDateTime t) {
  uint16_t y, m, d;
  DecodeDate(t, &y, &m, &d);
  return d;
}

int DayOfWeek(TDateTime t) {
  int64_t day = 0, ms = 0;
  if (!SplitDateTime(t, &day, &ms)) return 0;
  // 30 Dec 1899 (day 0) was a Saturday.
  int64_t weekday = (day + 6) % 7;
  if (weekday < 0) weekday += 7;
  return static_cast<int>(weekday) + 1;
}

int32_t DaysInMonth(int32_t year, uint16_t month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime* out) {
  if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60) return false;
  if (msec < 0 || msec >= 1000) return false;
  int64_t ms = ((hour * 60LL + min) * 60 + sec) * 1000 + msec;
  *out = static_cast<double>(ms) / kMsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime t = 0;
  if (!TryEncodeTime(hour, min, sec, msec, &t))
    throw EConvertError("Ung\xFCltiges Argument f\xFCr Zeitkodierung");
  return t;
}

void DecodeTime(TDateTime t, uint16_t* hour, uint16_t* min, uint16_t* sec, uint16_t* msec) {
  int64_t ms = MsOfDay(t);
  *hour = static_cast<uint16_t>(ms / 3'600'000);
  *min = static_cast<uint16_t>(ms / 60'000 % 60);
  *sec = static_cast<uint16_t>(ms / 1000 % 60);
  *msec = static_cast<uint16_t>(ms % 1000);
}

double HMToTime(int32_t hours, int32_t minutes) {
  return MinutesToTime(static_cast<int64_t>(hours) * 60 + minutes);
}

int32_t TimeToMinutes(double x) {
  double m = RoundHalfAway(x * 1440.0);
  if (!(m >= std::numeric_limits<int32_t>::min() && m <= std::numeric_limits<int32_t>::max())) {
    return 0;
  }
  return static_cast<int32_t>(m);
}

void SplitTime(double x, int32_t* hours, int32_t* minutes) {
  int32_t m = TimeToMinutes(x);
  *hours = m / 60;
  *minutes = m % 60;
}

void SplitTime(double x, int8_t* hours, int8_t* minutes) {
  int32_t h = 0, m = 0;
  SplitTime(x, &h, &m);
  *hours = static_cast<int8_t>(h);
  *minutes = static_cast<int8_t>(m);
}

void SplitTime(double x, int16_t* hours, int16_t* minutes) {
  int32_t h = 0, m = 0;
  SplitTime(x, &h, &m);
  *hours = static_cast<int16_t>(h);
  *minutes = static_cast<int16_t>(m);
}

double RoundToFraction(int32_t n, double x) {
  if (n == 0) return x;
  double scaled = RoundHalfAway(x * n);
  // 2^63: the scaled value must stay a 64-bit integer.
  constexpr double kLimit = 9'223'372'036'854'775'808.0;
  if (!(scaled > -kLimit && scaled < kLimit)) return x;
  return scaled / n;
}

double RoundToMinute(double x) {
  return RoundToFraction(1440, x);
}

TDateTime NowToMinute(platform::Clock& clock) {
  TDateTime now = clock.Now();
  int64_t day = 0, ms = 0;
  if (!SplitDateTime(now, &day, &ms)) return now;
  return ComposeDateTime(day, ms / 60'000 * 60'000);
}

bool IsZeroTime(double x) {
  return std::fabs(x) < kTimeTolerance;
}

bool TimeGreater(double a, double b) {
  return a - b > kTimeTolerance;
}

namespace {

[[noreturn]] void RaiseBadTime(const std::string& text) {
  throw EConvertError("'" + text + "' ist keine g\xFCltige Zeit");
}

// The integer of a part of a time text; an empty part is 0.
int64_t TimePart(const std::string& part, const std::string& text) {
  if (part.empty()) return 0;
  int32_t value = 0;
  if (!TryStrToInt(part, &value)) RaiseBadTime(text);
  return value;
}

}  // namespace

double StrToTimeSpan(const std::string& text) {
  if (text.empty()) return 0;
  int64_t sign = 1;
  std::string body = text;
  if (body[0] == '-') {
    sign = -1;
    body.erase(0, 1);
    if (body.empty()) return 0;
  }
  size_t p = body.find(':');
  if (p == std::string::npos) p = body.find(',');
  if (p == std::string::npos) {
    int32_t hours = 0;
    if (!TryStrToInt(body, &hours)) RaiseBadTime(body);
    return MinutesToTime(sign * hours * 60);
  }
  int64_t hours = sign * TimePart(body.substr(0, p), body);
  int64_t minutes = TimePart(body.substr(p + 1), body);
  // Hundredths of an hour, to the nearest minute (integer division as the settings expect).
  if (body[p] == ',') minutes = (minutes * 60 + 50) / 100;
  return MinutesToTime(hours * 60 + sign * minutes);
}

std::array<std::string, 12> ShortMonthNames(platform::Locale& locale) {
  std::array<std::string, 12> names;
  for (int m = 1; m <= 12; ++m) names[m - 1] = locale.ShortMonthName(m);
  names[2] = "Mrz";
  return names;
}

uint32_t DateTimeToFileDate(TDateTime t) {
  uint16_t year, month, day, hour, min, sec, msec;
  DecodeDate(t, &year, &month, &day);
  if (year < 1980 || year > 2107) return 0;
  DecodeTime(t, &hour, &min, &sec, &msec);
  uint32_t date = (static_cast<uint32_t>(year - 1980) << 9) | (month << 5) | day;
  uint32_t time = (static_cast<uint32_t>(hour) << 11) | (min << 5) | (sec / 2);
  return date << 16 | time;
}

}  // namespace qrv
