// Dates and times as the installation stores and computes them.
//
// A date-time is a double counting days since 30 December 1899 at 00:00: the whole part is the
// date, the fraction the time of day. Before that day the whole part still names the date and the
// fraction still counts forward from its midnight (-1.25 is 29 December 1899, 06:00). A day
// fraction is a time of day or a duration in days (1 minute = 1/1440), possibly negative or above
// one. A minute count is a day fraction rounded to whole minutes, halves away from zero.
//
// Dates run from 1 January 0001 to 31 December 9999 (Gregorian). Decoding rounds the time to the
// millisecond; a time that rounds up to 24:00 belongs to the next day, for the date and the time
// parts alike.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qrv {

namespace platform {
class Clock;
class Locale;
}  // namespace platform

using TDateTime = double;  // days since 30 Dec 1899

// Day fractions closer than this (about 9 ms) count as equal.
inline constexpr double kTimeTolerance = 1e-7;

// --- Dates ---

// False when the parts do not form a date of the years 1..9999.
bool TryEncodeDate(int year, int month, int day, TDateTime* out);
// Raises EConvertError on an invalid date.
TDateTime EncodeDate(int year, int month, int day);
// The date part; all three 0 for a value outside the years 1..9999 (or not a number).
void DecodeDate(TDateTime t, uint16_t* year, uint16_t* month, uint16_t* day);
uint16_t YearOfDate(TDateTime t);
uint16_t MonthOfDate(TDateTime t);
uint16_t DayOfDate(TDateTime t);
// 1 = Sunday .. 7 = Saturday; 0 for a value outside the date range.
int DayOfWeek(TDateTime t);
// Days of the month (Gregorian leap years); 0 for a month outside 1..12.
int32_t DaysInMonth(int32_t year, uint16_t month);

// --- Times ---

// False unless 0 <= hour < 24, 0 <= min < 60, 0 <= sec < 60, 0 <= msec < 1000.
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime* out);
// Raises EConvertError on an invalid time.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// The time part, rounded to the millisecond.
void DecodeTime(TDateTime t, uint16_t* hour, uint16_t* min, uint16_t* sec, uint16_t* msec);

// A minute count as a day fraction: minutes / 1440, divided, so that a setting of 5 minutes is
// exactly 5 / 1440 (multiplying by 1 / 1440 misses it in the last bit for many counts).
double MinutesToTime(int64_t minutes);
// A second count as a day fraction: seconds / 86400, divided for the same reason.
double SecondsToTime(int64_t seconds);
// (hours * 60 + minutes) / 1440, the sum formed in integers.
double HMToTime(int32_t hours, int32_t minutes);
// x * 1440 rounded halves away from zero; 0 when that leaves the 32-bit range.
int32_t TimeToMinutes(double x);
// TimeToMinutes(x) split into hours and minutes, both truncated toward zero (-90 minutes give
// -1 and -30). The 8- and 16-bit forms keep the low bits of a larger hour count.
void SplitTime(double x, int32_t* hours, int32_t* minutes);
void SplitTime(double x, int8_t* hours, int8_t* minutes);
void SplitTime(double x, int16_t* hours, int16_t* minutes);
// x rounded to the nearest 1/n (halves away from zero), the whole count divided by n at the end;
// x itself when n is 0 or the scaled value leaves the 64-bit integer range.
double RoundToFraction(int32_t n, double x);
double RoundToMinute(double x);
// The clock's local date-time cut (not rounded) to the whole minute.
TDateTime NowToMinute(platform::Clock& clock);
bool IsZeroTime(double x);
// a - b > kTimeTolerance.
bool TimeGreater(double a, double b);

// Parses a time text: "h", "h:mm", "h,hh" (hours and hundredths of an hour, "7,5" being 7:03),
// each with an optional leading "-"; ":45" is 45 minutes, "8:" 8 hours, empty is 0. Minutes are
// not range-checked ("8:75" is 9:15). Raises EConvertError "'<text>' ist keine g\xFCltige Zeit"
// (text without its leading "-") when a part is not an integer.
double StrToTimeSpan(const std::string& text);

// --- Locale and file stamps ---

// The locale's short month names, January first, with March always "Mrz" (the month files and
// every formatted date use that name whatever the locale calls it).
std::array<std::string, 12> ShortMonthNames(platform::Locale& locale);

// The packed MS-DOS date and time (date << 16 | time, two-second steps) of a date-time; 0 outside
// the years 1980..2107.
uint32_t DateTimeToFileDate(TDateTime t);

}  // namespace qrv
