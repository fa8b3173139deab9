#include "util/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/fixed_clock.h"
#include "platform/nls.h"
#include "util/errors.h"

namespace qrv {
namespace {

constexpr double kSecond = 1.0 / 86400;

struct DateCase {
  const char* label;
  int year, month, day;
  double serial;
};

// Serial numbers counted independently: 1 Jan 1900 is two days after the epoch, 1 Jan 2000 is
// 100 years of 365 days plus 24 leap days later, and so on.
const DateCase kDates[] = {
    {"epoch", 1899, 12, 30, 0},
    {"first day of 1900", 1900, 1, 1, 2},
    {"1900 is no leap year", 1900, 3, 1, 61},
    {"first day of 2000", 2000, 1, 1, 36526},
    {"leap day 2000", 2000, 2, 29, 36585},
    {"leap day 2024", 2024, 2, 29, 45351},
    {"first representable day", 1, 1, 1, -693593},
    {"last representable day", 9999, 12, 31, 2958465},
    {"day before the epoch", 1899, 12, 29, -1},
};

TEST(DateTest, EncodeAndDecodeKnownDates) {
  for (const auto& c : kDates) {
    TDateTime t = -12345;
    ASSERT_TRUE(TryEncodeDate(c.year, c.month, c.day, &t)) << c.label;
    EXPECT_EQ(t, c.serial) << c.label;
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial) << c.label;
    uint16_t y, m, d;
    DecodeDate(c.serial, &y, &m, &d);
    EXPECT_EQ(y, c.year) << c.label;
    EXPECT_EQ(m, c.month) << c.label;
    EXPECT_EQ(d, c.day) << c.label;
  }
}

TEST(DateTest, InvalidDatesAreRefused) {
  const struct {
    const char* label;
    int year, month, day;
  } cases[] = {
      {"29 Feb of a common year", 2023, 2, 29},
      {"29 Feb 1900", 1900, 2, 29},
      {"year 0", 0, 1, 1},
      {"year 10000", 10000, 1, 1},
      {"month 0", 2024, 0, 1},
      {"month 13", 2024, 13, 1},
      {"day 0", 2024, 1, 0},
      {"31 April", 2024, 4, 31},
  };
  for (const auto& c : cases) {
    TDateTime t = 77;
    EXPECT_FALSE(TryEncodeDate(c.year, c.month, c.day, &t)) << c.label;
    EXPECT_EQ(t, 77) << c.label << ": output touched";
    EXPECT_THROW(EncodeDate(c.year, c.month, c.day), EConvertError) << c.label;
  }
}

TEST(DateTest, EveryDayRoundTripsAndDaysFollowEachOther) {
  TDateTime start = EncodeDate(1890, 1, 1);
  TDateTime end = EncodeDate(2110, 12, 31);
  uint16_t py = 1889, pm = 12, pd = 31;
  for (TDateTime t = start; t <= end; ++t) {
    uint16_t y, m, d;
    // 18:00 of that day; before the epoch the time counts away from zero.
    DecodeDate(t >= 0 ? t + 0.75 : t - 0.75, &y, &m, &d);
    bool next = (y == py && m == pm && d == pd + 1) || (y == py && m == pm + 1 && d == 1) ||
                (y == py + 1 && m == 1 && d == 1 && pm == 12);
    ASSERT_TRUE(next) << "after " << py << "-" << pm << "-" << pd << " came " << y << "-" << m
                      << "-" << d;
    ASSERT_EQ(EncodeDate(y, m, d), t);
    if (d == 1 && t != start) {
      ASSERT_EQ(pd, DaysInMonth(py, pm));
    }
    py = y, pm = m, pd = d;
  }
}

TEST(DateTest, NegativeValuesKeepTheDateInTheWholePart) {
  // -1.25 is 29 Dec 1899 at 06:00: the fraction counts forward from that day's midnight.
  uint16_t y, m, d, h, n, s, ms;
  DecodeDate(-1.25, &y, &m, &d);
  DecodeTime(-1.25, &h, &n, &s, &ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h * 100 + n, 600);
}

TEST(DateTest, OutOfRangeDecodesToZero) {
  for (double t : {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN()}) {
    uint16_t y = 9, m = 9, d = 9;
    DecodeDate(t, &y, &m, &d);
    EXPECT_EQ(y + m + d, 0) << t;
    EXPECT_EQ(DayOfWeek(t), 0) << t;
  }
}

TEST(DateTest, PartAccessors) {
  TDateTime t = EncodeDate(2024, 3, 17) + 0.5;
  EXPECT_EQ(YearOfDate(t), 2024);
  EXPECT_EQ(MonthOfDate(t), 3);
  EXPECT_EQ(DayOfDate(t), 17);
}

TEST(DateTest, DayOfWeekCountsFromSunday) {
  const struct {
    const char* label;
    TDateTime t;
    int expected;
  } cases[] = {
      {"epoch was a Saturday", 0, 7},
      {"31 Dec 1899 a Sunday", 1, 1},
      {"29 Dec 1899 a Friday", -1, 6},
      {"17 Mar 2024 a Sunday", EncodeDate(2024, 3, 17), 1},
      {"18 Mar 2024 evening a Monday", EncodeDate(2024, 3, 18) + 0.9, 2},
      {"1 Jan 2000 a Saturday", EncodeDate(2000, 1, 1), 7},
  };
  for (const auto& c : cases) EXPECT_EQ(DayOfWeek(c.t), c.expected) << c.label;
}

TEST(DateTest, DaysInMonth) {
  const struct {
    int32_t year;
    uint16_t month;
    int32_t days;
  } cases[] = {{2000, 2, 29}, {1900, 2, 28},  {2004, 2, 29}, {2023, 2, 28}, {2024, 1, 31},
               {2024, 4, 30}, {2024, 12, 31}, {2024, 0, 0},  {2024, 13, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
  }
}

TEST(TimeTest, EncodeDecodeAndInvalidTimes) {
  TDateTime t = EncodeTime(10, 0, 40, 500);
  EXPECT_DOUBLE_EQ(t, (36000 + 40.5) / 86400);
  uint16_t h, m, s, ms;
  DecodeTime(EncodeDate(2024, 3, 17) + t, &h, &m, &s, &ms);
  EXPECT_EQ(h * 10000000 + m * 100000 + s * 1000 + ms, 100040500);

  const int bad[][4] = {{24, 0, 0, 0},   {0, 60, 0, 0}, {0, 0, 60, 0},
                        {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
  for (const auto& b : bad) {
    TDateTime out = 3;
    EXPECT_FALSE(TryEncodeTime(b[0], b[1], b[2], b[3], &out)) << b[0] << ":" << b[1];
    EXPECT_EQ(out, 3);
    EXPECT_THROW(EncodeTime(b[0], b[1], b[2], b[3]), EConvertError);
  }
}

TEST(TimeTest, TimeJustBeforeMidnightRollsIntoTheNextDay) {
  // 0.4 ms before midnight rounds to 24:00; date and time must then both name the next day.
  TDateTime t = EncodeDate(2024, 2, 29) + (86400000 - 0.4) / 86400000;
  uint16_t y, mo, d, h, mi, s, ms;
  DecodeDate(t, &y, &mo, &d);
  DecodeTime(t, &h, &mi, &s, &ms);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 20240301);
  EXPECT_EQ(h + mi + s + ms, 0);
}

TEST(TimeTest, TimeToMinutesRoundsHalvesAwayFromZero) {
  const struct {
    const char* label;
    double x;
    int32_t minutes;
  } cases[] = {
      {"31 seconds", 31 * kSecond, 1},
      {"29 seconds", 29 * kSecond, 0},
      {"minus 31 seconds", -31 * kSecond, -1},
      {"minus 29 seconds", -29 * kSecond, 0},
      {"half a minute", 0.5 / 1440, 1},
      {"minus half a minute", -0.5 / 1440, -1},
      {"7:30", 7.5 / 24, 450},
      {"a date-time", 45000 + 7.5 / 24, 45000 * 1440 + 450},
      {"beyond 32 bits", 2e6, 0},
      {"below 32 bits", -2e6, 0},
      {"not a number", std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeToMinutes(c.x), c.minutes) << c.label;
}

TEST(TimeTest, SplitTimeTruncatesBothPartsTowardZero) {
  const struct {
    const char* label;
    int32_t minutes;
    int32_t h, m;
  } cases[] = {{"-90 minutes", -90, -1, -30},
               {"7:30", 450, 7, 30},
               {"-0:45", -45, 0, -45},
               {"25:00", 1500, 25, 0}};
  for (const auto& c : cases) {
    double x = c.minutes / 1440.0;
    int32_t h32, m32;
    int16_t h16, m16;
    int8_t h8, m8;
    SplitTime(x, &h32, &m32);
    SplitTime(x, &h16, &m16);
    SplitTime(x, &h8, &m8);
    EXPECT_EQ(h32, c.h) << c.label;
    EXPECT_EQ(m32, c.m) << c.label;
    EXPECT_EQ(h16, c.h) << c.label;
    EXPECT_EQ(m16, c.m) << c.label;
    EXPECT_EQ(h8, c.h) << c.label;
    EXPECT_EQ(m8, c.m) << c.label;
  }
}

TEST(TimeTest, HMToTimeFormsTheSumWithoutOverflow) {
  EXPECT_EQ(HMToTime(7, 30), 450 / 1440.0);
  EXPECT_EQ(HMToTime(-1, -15), -75 / 1440.0);
  EXPECT_EQ(HMToTime(2147483647, 59), (2147483647.0 * 60 + 59) / 1440);
}

// Settings in minutes (0 to 1999 covers every value an installation sets) become exactly the
// count divided by 1440; multiplying by 1/1440 misses 482 of them in the last bit, 5 among them.
// Rounding to the minute ends with the same division, so it gives those values back exactly.
TEST(TimeTest, MinutesBecomeDayFractionsByDivision) {
  for (int v = 0; v < 2000; ++v) {
    const double exact = v / 1440.0;
    ASSERT_EQ(MinutesToTime(v), exact) << v;
    ASSERT_EQ(MinutesToTime(-v), -exact) << v;
    ASSERT_EQ(HMToTime(0, v), exact) << v;
    ASSERT_EQ(RoundToMinute(exact), exact) << v;
    ASSERT_EQ(RoundToMinute(exact + 20 * kSecond), exact) << v;
    ASSERT_EQ(RoundToMinute(exact + 40 * kSecond), (v + 1) / 1440.0) << v;
    ASSERT_EQ(SecondsToTime(v), v / 86400.0) << v;
  }
}

TEST(TimeTest, RoundToFraction) {
  const struct {
    const char* label;
    int32_t n;
    double x, expected;
  } cases[] = {
      {"n = 0 leaves x", 0, 0.123456789, 0.123456789},
      {"10:00:40 to the minute", 1440, (36000 + 40) * kSecond, 601 / 1440.0},
      {"10:00:20 to the minute", 1440, (36000 + 20) * kSecond, 600 / 1440.0},
      {"minus 10:00:30 away from zero", 1440, -(36000 + 30) * kSecond, -601 / 1440.0},
      {"quarter days", 4, 0.3, 0.25},
      {"overflow leaves x", 1440, 1e300, 1e300},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundToFraction(c.n, c.x), c.expected) << c.label;
  EXPECT_EQ(RoundToMinute((36000 + 40) * kSecond), 601 / 1440.0);
}

TEST(TimeTest, ToleranceComparisons) {
  EXPECT_TRUE(IsZeroTime(5e-8));
  EXPECT_TRUE(IsZeroTime(-5e-8));
  EXPECT_FALSE(IsZeroTime(2e-7));
  EXPECT_FALSE(IsZeroTime(-2e-7));
  EXPECT_TRUE(TimeGreater(0.5 + 2e-7, 0.5));
  EXPECT_FALSE(TimeGreater(0.5 + 5e-8, 0.5));
  EXPECT_FALSE(TimeGreater(0.5, 0.5 + 2e-7));
}

TEST(TimeTest, NowToMinuteCutsSecondsOff) {
  TDateTime day = EncodeDate(2024, 3, 17);
  const struct {
    const char* label;
    TDateTime now;
    int minuteOfDay;
  } cases[] = {
      {"last millisecond of a minute", day + EncodeTime(10, 59, 59, 999), 659},
      {"exactly on the minute", day + EncodeTime(10, 0, 0, 0), 600},
      {"midnight", day, 0},
  };
  for (const auto& c : cases) {
    platform::FixedClock clock(c.now);
    TDateTime t = NowToMinute(clock);
    EXPECT_EQ(std::floor(t), day) << c.label;
    EXPECT_NEAR((t - day) * 1440, c.minuteOfDay, 1e-6) << c.label;
  }
}

struct TimeTextCase {
  const char* text;
  int32_t minutes;
};

TEST(StrToTimeSpanTest, ParsesTheTimeTexts) {
  const TimeTextCase cases[] = {
      {"7:30", 450},  {"-1:15", -75}, {"7,5", 423},    {"7,50", 450}, {"7,25", 435},
      {"8", 480},     {":45", 45},    {"8:", 480},     {"", 0},       {"-", 0},
      {"8:75", 555},  {"-7,5", -423}, {"-:45", -45},   {"-8", -480},  {"0:00", 0},
      {"+2:10", 130}, {",99", 59},    {"100:5", 6005}, {"-0,01", -1},
  };
  for (const auto& c : cases) {
    // Exact equality: the result is the minute count divided once, like HMToTime.
    EXPECT_EQ(StrToTimeSpan(c.text), c.minutes / 1440.0) << c.text;
  }
}

TEST(StrToTimeSpanTest, BadTextRaisesWithTheTextWithoutItsMinus) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"abc", "'abc' ist keine g\xFCltige Zeit"},
      {"-x:30", "'x:30' ist keine g\xFCltige Zeit"},
      {"7:3a", "'7:3a' ist keine g\xFCltige Zeit"},
      {"7.5", "'7.5' ist keine g\xFCltige Zeit"},
      {" 7", "' 7' ist keine g\xFCltige Zeit"},
      {"7:30,5", "'7:30,5' ist keine g\xFCltige Zeit"},
      {"99999999999", "'99999999999' ist keine g\xFCltige Zeit"},
  };
  for (const auto& c : cases) {
    try {
      StrToTimeSpan(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.text;
    }
  }
}

class MonthNameLocale : public platform::Locale {
 public:
  void ConvertAnsiToOem(const char*, char*, size_t) override {}
  void ConvertOemToAnsi(const char*, char*, size_t) override {}
  int CompareText(std::string_view, std::string_view) override { return 0; }
  std::string UpperCase(std::string_view s) override { return std::string(s); }
  std::string LowerCase(std::string_view s) override { return std::string(s); }
  std::string ShortMonthName(int month) override { return "M" + std::to_string(month); }
  char DecimalSeparator() override { return ','; }
};

TEST(ShortMonthNamesTest, TakesTheLocaleNamesWithMarchForced) {
  MonthNameLocale locale;
  auto names = ShortMonthNames(locale);
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(names[m - 1], m == 3 ? "Mrz" : "M" + std::to_string(m)) << m;
  }
}

TEST(FileDateTest, PacksDosDateAndTime) {
  const struct {
    const char* label;
    TDateTime t;
    uint32_t packed;
  } cases[] = {
      // (44 << 9 | 3 << 5 | 17) << 16 | (10 << 11 | 59 << 5 | 59 / 2)
      {"17 Mar 2024 10:59:59", EncodeDate(2024, 3, 17) + EncodeTime(10, 59, 59, 0), 0x5871577D},
      {"first DOS day", EncodeDate(1980, 1, 1), 0x00210000},
      {"last DOS second", EncodeDate(2107, 12, 31) + EncodeTime(23, 59, 58, 0), 0xFF9FBF7D},
      {"before 1980", EncodeDate(1979, 12, 31) + 0.5, 0},
      {"after 2107", EncodeDate(2108, 1, 1), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DateTimeToFileDate(c.t), c.packed) << c.label;
}

}  // namespace
}  // namespace qrv
