#include "format.h"

#include <cstdio>
#include <cstring>

#include "platform/utf8.h"
#include "util/datetime.h"

namespace qrv::tool {

std::string Utf8(const std::string& ansi) {
  return platform::AnsiToUtf8(ansi);
}

std::string ShortText(const uint8_t* field) {
  return Utf8(std::string(reinterpret_cast<const char*>(field + 1), field[0]));
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

Json DateJson(double dateTime) {
  if (dateTime == 0) return nullptr;
  return DateText(dateTime);
}

Json DateTimeJson(double dateTime) {
  if (dateTime == 0) return nullptr;
  return DateTimeText(dateTime);
}

Json DurationsJson(const void* values, int n) {
  Json a = Json::array();
  const auto* bytes = static_cast<const unsigned char*>(values);
  for (int i = 0; i < n; ++i) {
    double v = 0;
    std::memcpy(&v, bytes + i * sizeof v, sizeof v);
    a.push_back(DurationText(v));
  }
  return a;
}

}  // namespace qrv::tool
