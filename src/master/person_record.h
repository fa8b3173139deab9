// The person record in its two forms: the stored record of PERSONEN.DAT (2048 bytes, the older
// layout with OEM text, split dates and six-byte reals) and the object record TPersonRec that
// the rest of the library reads (ANSI text, date-times). The conversions, the defaults of a new
// person and the seven sort orders are free functions over both, so they can be driven without
// a file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/datetime.h"

namespace qrv {

namespace platform {
class Locale;
}  // namespace platform

inline constexpr int32_t kPersonRawSize = 2048;
inline constexpr int32_t kPersonOrders = 7;
inline constexpr int32_t kPersonFreiCount = 20;
inline constexpr int32_t kBemerkungSize = 400;  // the terminating zero included

// A short string of at most Max characters: a length byte, then the characters.
template <size_t Max>
using ShortString = std::array<uint8_t, Max + 1>;

// The characters of a short string; a length byte above the capacity counts as the capacity.
template <size_t N>
std::string GetShort(const std::array<uint8_t, N>& s) {
  constexpr size_t Max = N - 1;
  const size_t n = s[0] < Max ? s[0] : Max;
  return std::string(reinterpret_cast<const char*>(s.data() + 1), n);
}

// Puts text into a short string, cut to its capacity; the bytes behind it become zeros.
template <size_t N>
void SetShort(std::array<uint8_t, N>& s, std::string_view text) {
  constexpr size_t Max = N - 1;
  s.fill(0);
  const size_t n = text.size() < Max ? text.size() : Max;
  s[0] = static_cast<uint8_t>(n);
  for (size_t i = 0; i < n; ++i) s[i + 1] = static_cast<uint8_t>(text[i]);
}

#pragma pack(push, 1)
struct TPersonRec {
  int32_t PersNr;
  int32_t AusweisNr;
  ShortString<30> Name;
  ShortString<30> Vorname;
  ShortString<30> Text1;
  ShortString<20> Text2;
  ShortString<30> Text3;
  ShortString<30> Text4;
  ShortString<30> Text5;
  ShortString<20> Text6;
  ShortString<9> Text7;
  ShortString<30> Text8;
  std::array<ShortString<30>, kPersonFreiCount> Frei;  // Frei[1] is Frei[0] here
  uint8_t Reserved1[3];
  int32_t VorlageNr;
  TDateTime VorlageAb;
  uint8_t Wert1;
  uint8_t Reserved2[3];
  int32_t BerVorNr;
  int16_t Wert2;
  int16_t Wert3;
  int16_t Wert4;
  int16_t AltVorlageNr;
  ShortString<10> Text9;
  std::array<uint8_t, 6> Rechte1;
  std::array<uint8_t, 6> Rechte2;
  std::array<uint8_t, 6> Rechte3;
  uint8_t Reserved3[3];
  int32_t GruppeNr;
  uint8_t Reserved4[4];
  double Jahreswert;
  int16_t Wert5;
  uint8_t Reserved5[6];
  double Eintrittswert;
  int16_t Wert6;
  uint8_t Uebertrag;  // booleans are 0 or 1
  uint8_t Reserved6[5];
  TDateTime Eintritt;
  TDateTime Austritt;
  int16_t Wert7;
  int16_t Wert8;
  std::array<char, kBemerkungSize> Bemerkung;  // zero-terminated
  uint8_t Belegt;
  uint8_t Schalter2;
  uint8_t Schalter3;
  uint8_t Reserved7[1];
  double Betrag1;
  double Betrag2;
  ShortString<3> Kurz1;
  ShortString<3> Kurz2;
  ShortString<3> Kurz3;
  uint8_t Reserved8[4];
  TDateTime Zeitpunkt1;
  TDateTime Zeitpunkt2;
  TDateTime Zeitpunkt3;
  int16_t Wert9;
  int16_t Wert10;
  uint8_t Reserved9[4];
  TDateTime Zeitpunkt4;
  double Zeitpunkt5;
  uint8_t Statusflag;
  uint8_t Reserved10[7];
  TDateTime StatusBis;
  uint8_t Wert11;
  std::array<uint8_t, 64> Block;
  uint8_t Reserved11[7];
};
#pragma pack(pop)

static_assert(sizeof(TPersonRec) == 1592, "the person object record has 1592 bytes");

// The remark text (up to its zero, at most 399 characters).
std::string GetBemerkung(const TPersonRec& rec);
void SetBemerkung(TPersonRec& rec, std::string_view text);

// What the conversions need besides the two records.
struct TPersonContext {
  platform::Locale* Locale = nullptr;
  int32_t AuswOffset = -1;
  TDateTime FirstDate = 0;  // the first permitted date, 1 January of VerwJahreMin
  TDateTime Today = 0;      // the date without its time
};

// 1 January of the year; 0 when that is no date.
TDateTime FirstPermittedDate(int32_t verwJahreMin);

// Stored record (kPersonRawSize bytes) of person c to object record. Never reads outside raw.
void PersonRawToObject(const uint8_t* raw, TPersonRec& rec, int32_t persNr,
                       const TPersonContext& ctx);
// Object record to stored record, field by field: the bytes it does not write keep what raw
// held. Moves Eintritt (and VorlageAb behind it) up to the first permitted date in rec too.
void PersonObjectToRaw(uint8_t* raw, TPersonRec& rec, const TPersonContext& ctx);

// The defaults of person c in a zeroed record; gruppe is the group new persons belong to.
void InitNewPerson(TPersonRec& rec, int32_t persNr, int32_t auswOffset, int32_t gruppe,
                   TDateTime today);

// -1 when a sorts before b in order (0 to 6), 1 when after, 0 when equal. Persons in use come
// first in every order; now decides whether a status is current (order 4).
int16_t ComparePersons(const TPersonRec& a, const TPersonRec& b, int32_t order,
                       platform::Locale& locale, TDateTime now);

}  // namespace qrv
