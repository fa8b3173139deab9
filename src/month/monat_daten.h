// The in-memory month data of one person: the packed block that the month files convert from and
// to and that the month file cache copies. Its layout is the same whatever file layout the
// installation uses. Arrays count from 0 here; day d is Tage[d - 1], TagErgebnis[i] is
// TagErgebnis[i - 1], and so on.
//
// The structs are packed because the accounting addresses the day results and the result block by
// their byte positions; the static_asserts pin those positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qrv {

#pragma pack(push, 1)

// One booking, stored or evaluated.
struct TBuchung {
  double Zeit;  // TDateTime
  uint8_t Art;  // booking kind
  uint8_t Code1;
  uint8_t Code2;
};
static_assert(sizeof(TBuchung) == 11);

// Further day results of the accounting.
struct TTagRest {
  int32_t Arbeitstag;  // 1 for a working day
  double AnteilB;      // share of a sick day
  double AnteilA;      // share of a vacation day
  int32_t Feiertag;    // 1 for a credited holiday
  uint8_t Frei1[2];
  double WochenSumme;  // the weekly sum, written on the week's closing day
  double WochenLauf;   // the weekly running sum after this day
  uint8_t Frei2[4];
};
static_assert(sizeof(TTagRest) == 46);

inline constexpr int kMaxBuchungen = 40;  // booking slots of a day in memory
inline constexpr int kMaxTage = 31;
inline constexpr int kTagKonten = 5;
inline constexpr int kKonten = 40;
inline constexpr int kTagErgebnisse = 60;

// A day of the month.
struct TMonatTag {
  double TagZeit;
  uint16_t Status;  // booking remarks, bit set
  double TagKonto[kTagKonten];
  double TagKontoWert[kKonten];
  char Fehlzeit;  // ' ' none, 'a' + n - 1 absence type n
  uint8_t AnzBuchungen;
  TBuchung Buchungen[kMaxBuchungen];
  int16_t TagWort;
  uint8_t AnzPaare;
  TBuchung Paare[kMaxBuchungen];
  uint8_t Auswertung[441];  // working values of the day evaluation
  double TagKontoErgebnis[kTagKonten];
  double TagErgebnis[kTagErgebnisse];
  TTagRest TagRest;

  // The used bookings; a count above the slots counts as all slots.
  int Buchungszahl() const { return AnzBuchungen < kMaxBuchungen ? AnzBuchungen : kMaxBuchungen; }
  int Paarzahl() const { return AnzPaare < kMaxBuchungen ? AnzPaare : kMaxBuchungen; }
};
static_assert(sizeof(TMonatTag) == 2262);
static_assert(offsetof(TMonatTag, Fehlzeit) == 370);
static_assert(offsetof(TMonatTag, Buchungen) == 372);
static_assert(offsetof(TMonatTag, Paare) == 815);
static_assert(offsetof(TMonatTag, Auswertung) == 1255);
static_assert(offsetof(TMonatTag, TagKontoErgebnis) == 1696);
static_assert(offsetof(TMonatTag, TagErgebnis) == 1736);
static_assert(offsetof(TMonatTag, TagRest) == 2216);

// Positions of the doubles of the month result block.
inline constexpr int kErgTagKonto = 17;     // sums of TagKonto[1..5]
inline constexpr int kErgKonten = 22;       // sums of TagErgebnis[1..40]
inline constexpr int kErgArbeitstage = 64;  // sum of the working-day flags
inline constexpr int kErgAnteilB = 65;
inline constexpr int kErgAnteilA = 66;
inline constexpr int kErgWerte = 67;

// The position in the result block that sums TagErgebnis[index] (1 to 60); -1 for index 56 and
// any index outside 1 to 60, which no position sums.
constexpr int ErgebnisPosition(int index) {
  constexpr int kFrom41[20] = {1,  0,  4,  2,  3,  5,  6,  7,  8,  9,
                               10, 11, 12, 13, 14, -1, 15, 16, 62, 63};
  if (index >= 1 && index <= kKonten) return kErgKonten + index - 1;
  if (index >= 41 && index <= kTagErgebnisse) return kFrom41[index - 41];
  return -1;
}

// The month result block (also the result of a range evaluation).
struct TMonErgebnis {
  double Werte[kErgWerte];
  int32_t Feiertage;    // sum of the holiday flags
  uint16_t WarnTage;    // days whose status counts as a warning
  uint16_t FehlerTage;  // days whose status counts as an error
  double WochenLauf;    // running weekly sum of TagErgebnis[48]
};
static_assert(sizeof(TMonErgebnis) == 552);

// The month data block.
struct TMonatDaten {
  double MonUebertrag;  // carried value handed from month to month
  double BerechnetAm;
  uint16_t BerechnetBis;  // 0: not accounted
  double MonSaldo;
  double MonSaldoKorr;
  double MonAnteilB;
  double MonAnteilBKorr;
  double MonAnteilA;
  double MonAnteilAKorr;
  double MonTagKonto[kTagKonten];
  double MonTagKontoKorr[kTagKonten];
  double MonKonto[kKonten];
  double MonKontoKorr[kKonten];
  int16_t MonWarnTage;
  int16_t MonWarnTageKorr;
  int16_t MonFehlerTage;
  int16_t MonFehlerTageKorr;
  int32_t MonInt1;
  int32_t MonInt2;
  int32_t MonInt3;
  int32_t MonInt4;
  TMonatTag Tage[kMaxTage];
  TMonErgebnis MonErgebnis;
  uint8_t Reserviert[432];
  uint8_t MonFlag;

  TMonatTag& Tag(int d) { return Tage[d - 1]; }
  const TMonatTag& Tag(int d) const { return Tage[d - 1]; }

  // The weekly running sum at the month's end, the double held in MonInt1 and MonInt2.
  double WochenLauf() const { return DoubleAt(kWochenLaufAt); }
  void SetWochenLauf(double v) { SetDoubleAt(kWochenLaufAt, v); }
  // The month's correction of the weekly running sum, held in MonInt3 and MonInt4.
  double WochenKorr() const { return DoubleAt(kWochenKorrAt); }
  void SetWochenKorr(double v) { SetDoubleAt(kWochenKorrAt, v); }

  static constexpr size_t kWochenLaufAt = 794;
  static constexpr size_t kWochenKorrAt = 802;

 private:
  double DoubleAt(size_t at) const {
    double v = 0;
    std::memcpy(&v, reinterpret_cast<const char*>(this) + at, sizeof v);
    return v;
  }
  void SetDoubleAt(size_t at, double v) {
    std::memcpy(reinterpret_cast<char*>(this) + at, &v, sizeof v);
  }
};

#pragma pack(pop)

static_assert(sizeof(TMonatDaten) == 71917);
static_assert(offsetof(TMonatDaten, MonKonto) == 146);
static_assert(offsetof(TMonatDaten, MonWarnTage) == 786);
static_assert(offsetof(TMonatDaten, MonInt1) == TMonatDaten::kWochenLaufAt);
static_assert(offsetof(TMonatDaten, MonInt3) == TMonatDaten::kWochenKorrAt);
static_assert(offsetof(TMonatDaten, Tage) == 810);
static_assert(offsetof(TMonatDaten, MonErgebnis) == 70932);
static_assert(offsetof(TMonatDaten, MonFlag) == 71916);

}  // namespace qrv
