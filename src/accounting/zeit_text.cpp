#include "accounting/zeit_text.h"

#include <cstdio>
#include <cstdlib>

namespace qrv {

namespace {

std::string Minuten(int32_t m, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, std::abs(m) / 60, std::abs(m) % 60);
  return m < 0 ? "-" + std::string(text) : std::string(text);
}

}  // namespace

std::string UhrText(TDateTime t, TDateTime datum) {
  return Minuten(TimeToMinutes(t - datum), "%02d:%02d");
}

std::string DauerText(double dauer) {
  return Minuten(TimeToMinutes(dauer), "%d:%02d");
}

std::string TSpurPos::Text() const {
  if (Name == nullptr) return std::to_string(Index);
  if (Index == 0) return Name;
  return std::string(Name) + "[" + std::to_string(Index) + "]";
}

}  // namespace qrv
