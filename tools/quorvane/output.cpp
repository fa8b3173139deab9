#include "output.h"

#include <cstdio>

#include "platform/utf8.h"
#include "util/datetime.h"

namespace qrv::tool {

std::string Utf8(const std::string& ansi) {
  return platform::AnsiToUtf8(ansi);
}

std::string DateText(double dateTime) {
  uint16_t y, m, d;
  DecodeDate(dateTime, &y, &m, &d);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", unsigned{y}, unsigned{m}, unsigned{d});
  return buf;
}

std::string DateTimeText(double dateTime) {
  uint16_t h, n, s, ms;
  DecodeTime(dateTime, &h, &n, &s, &ms);
  char buf[32];
  std::snprintf(buf, sizeof buf, "T%02u:%02u:%02u", unsigned{h}, unsigned{n}, unsigned{s});
  return DateText(dateTime) + buf;
}

std::string DurationText(double dayFraction) {
  int32_t minutes = TimeToMinutes(dayFraction);
  int32_t a = minutes < 0 ? -minutes : minutes;
  char buf[24];
  std::snprintf(buf, sizeof buf, "%s%d:%02d", minutes < 0 ? "-" : "", a / 60, a % 60);
  return buf;
}

}  // namespace qrv::tool
