#include "month/monat_codec.h"

#include <cstring>
#include <limits>

#include "util/datetime.h"
#include "util/rounding.h"
#include "util/stored_bytes.h"

namespace qrv::monat_codec {

double TimeValue(int32_t hours, int32_t minutes) {
  return HMToTime(hours, minutes);
}

double FromMinutes(int32_t minutes) {
  return HMToTime(0, minutes);
}

int32_t ToMinutes(double value) {
  return TimeToMinutes(value);
}

double FromTenths(int32_t tenths) {
  return tenths / 10.0;
}

int32_t ToTenths(double value) {
  const double t = RoundHalfEven(value * 10);
  if (!(t >= std::numeric_limits<int32_t>::min() && t <= std::numeric_limits<int32_t>::max())) {
    return 0;
  }
  return static_cast<int32_t>(t);
}

char AbsenceFromCode(uint8_t code) {
  return code == 0 ? ' ' : static_cast<char>(code + 96);
}

uint8_t AbsenceToCode(char letter) {
  const auto code = static_cast<uint8_t>(letter);
  return code > 96 ? static_cast<uint8_t>(code - 96) : 0;
}

void CodesFromByte(uint8_t stored, TBuchung& b) {
  b.Code1 = static_cast<uint8_t>(((stored >> 4) + 1) & 15);
  b.Code2 = static_cast<uint8_t>(((stored & 15) + 1) & 15);
}

uint8_t CodesToByte(const TBuchung& b) {
  return static_cast<uint8_t>(((b.Code1 - 1) * 16) | ((b.Code2 - 1) & 15));
}

double GetTime8(const uint8_t* raw, size_t hoursAt, size_t minutesAt) {
  return TimeValue(stored::GetI8(raw, hoursAt), stored::GetI8(raw, minutesAt));
}

double GetTime16(const uint8_t* raw, size_t hoursAt, size_t minutesAt) {
  return TimeValue(stored::GetI16(raw, hoursAt), stored::GetI16(raw, minutesAt));
}

double GetTime32(const uint8_t* raw, size_t hoursAt, size_t minutesAt) {
  return TimeValue(stored::GetI32(raw, hoursAt), stored::GetI32(raw, minutesAt));
}

void PutTime8(uint8_t* raw, size_t hoursAt, size_t minutesAt, double value) {
  int8_t hours = 0, minutes = 0;
  SplitTime(value, &hours, &minutes);
  stored::PutI8(raw, hoursAt, hours);
  stored::PutI8(raw, minutesAt, minutes);
}

void PutTime16(uint8_t* raw, size_t hoursAt, size_t minutesAt, double value) {
  int16_t hours = 0, minutes = 0;
  SplitTime(value, &hours, &minutes);
  stored::PutI16(raw, hoursAt, hours);
  stored::PutI16(raw, minutesAt, minutes);
}

void PutTime32(uint8_t* raw, size_t hoursAt, size_t minutesAt, double value) {
  int32_t hours = 0, minutes = 0;
  SplitTime(value, &hours, &minutes);
  stored::PutI32(raw, hoursAt, hours);
  stored::PutI32(raw, minutesAt, minutes);
}

int UsedSlots(int storedCount, int slots) {
  if (storedCount < 0) return 0;
  return storedCount < slots ? storedCount : slots;
}

void TakeBerechnet(TMonatDaten& m, double am, uint16_t bis, int days) {
  m.BerechnetAm = am;
  m.BerechnetBis = bis;
  if (bis == 0 || bis > days) {
    m.BerechnetAm = 0;
    m.BerechnetBis = 0;
  }
}

void BuchungsLeser::Add(TBuchung b) {
  if (lastZeit_ > b.Zeit) b.Zeit += 1;
  if (b.Zeit == lastZeit_ && b.Art == lastArt_) return;
  // Never more than the slots of a day: the layouts hold at most 40.
  if (tag_.AnzBuchungen >= kMaxBuchungen) return;
  tag_.Buchungen[tag_.AnzBuchungen++] = b;
  lastZeit_ = b.Zeit;
  lastArt_ = b.Art;
}

void DecodeMonat(const MonatLayout& layout, const uint8_t* raw, TMonatDaten& m, int32_t year,
                 int32_t month) {
  std::memset(static_cast<void*>(&m), 0, sizeof m);
  const double first = EncodeDate(year, month, 1);
  const int days = DaysInMonth(year, static_cast<uint16_t>(month));
  TakeBerechnet(m, stored::GetDouble(raw, layout.berechnetAm),
                stored::GetU16(raw, layout.berechnetBis), days);
  for (int d = 1; d <= days; ++d) layout.decodeTag(raw, m.Tag(d), d, first + d - 1);
  layout.decodeWerte(raw, m);
}

void EncodeMonat(const MonatLayout& layout, const TMonatDaten& m, uint8_t* raw, int32_t year,
                 int32_t month) {
  std::memset(raw, 0, layout.size);
  const double first = EncodeDate(year, month, 1);
  const int days = DaysInMonth(year, static_cast<uint16_t>(month));
  for (int d = 1; d <= days; ++d) layout.encodeTag(m.Tag(d), raw, d, first + d - 1);
  layout.encodeWerte(m, raw);
}

}  // namespace qrv::monat_codec
