// Conversion between a stored month record and the in-memory month data, for both file layouts:
// the full one (9000 bytes, 40 bookings a day) and the compact one (2000 bytes, 10 bookings a
// day). The converters work on caller buffers of the layout's size, so that they can be driven
// without files. A year or month that forms no date raises EConvertError.
#pragma once

#include <cstddef>
#include <cstdint>

#include "month/monat_daten.h"

namespace qrv {

inline constexpr int32_t kGMonatSize = 9000;
inline constexpr int32_t kKMonatSize = 2000;
inline constexpr int kGMonatSlots = 40;
inline constexpr int kKMonatSlots = 10;

// Reading clears the whole month first; days the month lacks stay empty.
void DecodeGMonat(const uint8_t* raw, TMonatDaten& m, int32_t year, int32_t month);
void DecodeKMonat(const uint8_t* raw, TMonatDaten& m, int32_t year, int32_t month);
// Writing clears the whole record first; what the layout does not keep is lost.
void EncodeGMonat(const TMonatDaten& m, uint8_t* raw, int32_t year, int32_t month);
void EncodeKMonat(const TMonatDaten& m, uint8_t* raw, int32_t year, int32_t month);

namespace monat_codec {

// Time values are stored as hours and minutes of round(value * 1440) minutes.
double TimeValue(int32_t hours, int32_t minutes);
// Minute counts: round(value * 1440).
double FromMinutes(int32_t minutes);
int32_t ToMinutes(double value);
// Tenths: value * 10, halves to even; 0 when that leaves the 32-bit range.
double FromTenths(int32_t tenths);
int32_t ToTenths(double value);

// The absence code: 0 none (read as a blank), n the n-th letter.
char AbsenceFromCode(uint8_t code);
uint8_t AbsenceToCode(char letter);

// The two booking codes as nibbles of (code - 1); a nibble 15 reads as code 0.
void CodesFromByte(uint8_t stored, TBuchung& b);
uint8_t CodesToByte(const TBuchung& b);

// Time values as stored hours and minutes parts of 8, 16 or 32 bits at the two offsets.
double GetTime8(const uint8_t* raw, size_t hoursAt, size_t minutesAt);
double GetTime16(const uint8_t* raw, size_t hoursAt, size_t minutesAt);
double GetTime32(const uint8_t* raw, size_t hoursAt, size_t minutesAt);
void PutTime8(uint8_t* raw, size_t hoursAt, size_t minutesAt, double value);
void PutTime16(uint8_t* raw, size_t hoursAt, size_t minutesAt, double value);
void PutTime32(uint8_t* raw, size_t hoursAt, size_t minutesAt, double value);

// The stored slots that exist of a stored count.
int UsedSlots(int storedCount, int slots);

// Takes over BerechnetAm and BerechnetBis; a day beyond the month or 0 clears both.
void TakeBerechnet(TMonatDaten& m, double am, uint16_t bis, int days);

// What a month layout stores where: its size, the place of its accounting date and day, and
// its conversions of one day and of the month values. Both layouts walk a month the same way.
struct MonatLayout {
  size_t size;
  size_t berechnetAm;
  size_t berechnetBis;
  void (*decodeTag)(const uint8_t* raw, TMonatTag& t, int d, double datum);
  void (*decodeWerte)(const uint8_t* raw, TMonatDaten& m);
  void (*encodeTag)(const TMonatTag& t, uint8_t* raw, int d, double datum);
  void (*encodeWerte)(const TMonatDaten& m, uint8_t* raw);
};
void DecodeMonat(const MonatLayout& layout, const uint8_t* raw, TMonatDaten& m, int32_t year,
                 int32_t month);
void EncodeMonat(const MonatLayout& layout, const TMonatDaten& m, uint8_t* raw, int32_t year,
                 int32_t month);

// Appends the stored bookings of a day in slot order: a list that runs past midnight moves the
// later bookings to the next day, and a booking equal in time and kind to the one kept before it
// is dropped.
class BuchungsLeser {
 public:
  explicit BuchungsLeser(TMonatTag& tag) : tag_(tag) {}
  void Add(TBuchung b);

 private:
  TMonatTag& tag_;
  double lastZeit_ = -1.0;
  uint8_t lastArt_ = 0;
};

}  // namespace monat_codec

}  // namespace qrv
