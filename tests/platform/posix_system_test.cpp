// The POSIX clock, host process and message handler.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "platform/posix/posix_system.h"
#include "platform/posix/posix_time.h"

namespace qrv::platform {
namespace {

// Days since 30 December 1899 of the local calendar date and time of t, computed apart from the
// code under test.
double ExpectedLocal(std::time_t t, int ms) {
  using namespace std::chrono;
  const std::tm local = *std::localtime(&t);
  const auto days = (sys_days(year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday) -
                     sys_days(1899y / December / 30))
                        .count();
  return days + ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec + ms / 1000.0) / 86400.0;
}

TEST(PosixTimeTest, LocalDateTimeOfFixedMoments) {
  struct Case {
    const char* label;
    std::time_t seconds;
    long nanoseconds;
    int ms;
  } cases[] = {
      {"epoch", 0, 0, 0},
      {"milliseconds truncated", 1700000000, 123999999, 123},
      {"leap day", 951782400, 0, 0},           // 29 Feb 2000 00:00 UTC
      {"summer", 1784160000, 999000000, 999},  // July 2026
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(LocalDateTime(c.seconds, c.nanoseconds), ExpectedLocal(c.seconds, c.ms), 1e-9)
        << c.label;
  }
}

TEST(PosixClockTest, NowIsTheLocalTimeAndTicksDoNotRunBack) {
  PosixClock clock;
  const std::time_t before = std::time(nullptr);
  const double now = clock.Now();
  const std::time_t after = std::time(nullptr);
  EXPECT_GE(now, ExpectedLocal(before, 0));
  EXPECT_LT(now, ExpectedLocal(after, 0) + 1.0 / 86400);
  const uint32_t first = clock.Ticks();
  EXPECT_LE(static_cast<uint32_t>(clock.Ticks() - first), 60000u);  // wrap-safe difference
}

TEST(PosixHostTest, AnswersThisProcess) {
  PosixHost host;
  EXPECT_EQ(host.ExecutablePath(), std::filesystem::read_symlink("/proc/self/exe").string());
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::vector<std::string> args;
  for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
  EXPECT_EQ(host.FirstParameter(), args.size() > 1 ? args[1] : "");
}

TEST(PosixUiTest, MessagesGoToTheHandler) {
  PosixUserInterface ui;
  std::vector<std::pair<MessageKind, std::string>> got;
  ui.SetHandler(
      [&got](MessageKind kind, const std::string& text) { got.emplace_back(kind, text); });
  ui.ErrorBox("Ung\xFCltiger Datenpfad");
  ui.ShowException("x");
  ui.SetHourglass(true);
  ui.SelectPrinter("Laser");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], std::make_pair(MessageKind::kErrorBox, std::string("Ung\xFCltiger Datenpfad")));
  EXPECT_EQ(got[1], std::make_pair(MessageKind::kException, std::string("x")));

  ui.SetHandler(nullptr);  // back to stderr, in UTF-8
  ::testing::internal::CaptureStderr();
  ui.ErrorBox("Ung\xFCltiger Datenpfad: \r\nBitte neu einstellen!");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Ung\xC3\xBCltiger Datenpfad: \nBitte neu einstellen!\n");
}

TEST(SystemPlatformTest, AnswersTheSameObjectsEveryTime) {
  const Platform a = SystemPlatform();
  const Platform b = SystemPlatform();
  EXPECT_EQ(a.files, b.files);
  EXPECT_EQ(a.registry, b.registry);
  EXPECT_EQ(a.ui, b.ui);
  ASSERT_NE(a.locale, nullptr);
  EXPECT_EQ(a.locale->ShortMonthName(5), "Mai");
  EXPECT_EQ(a.locale->DecimalSeparator(), ',');
}

}  // namespace
}  // namespace qrv::platform
