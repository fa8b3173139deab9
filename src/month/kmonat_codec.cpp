// The compact month layout (2000 bytes, 10 bookings a day). A booking keeps only its time of
// day; two bit sets per slot say whether it lies on the day before or the day after its day. Its
// kind shares a byte with the hours (kind * 25 + hours, hours 0 to 24).
#include <cstring>

#include "month/monat_codec.h"
#include "util/bits.h"
#include "util/datetime.h"
#include "util/stored_bytes.h"

namespace qrv {

namespace {

using namespace stored;
using namespace monat_codec;

constexpr size_t TagZeitH(int d) {
  return 2 * (d - 1);
}
constexpr size_t TagZeitM(int d) {
  return 62 + 2 * (d - 1);
}
constexpr size_t StatusAt(int d) {
  return 124 + 2 * (d - 1);
}
constexpr size_t TagKontoH(int d, int j) {
  return 10 * d + 177 + j;
}
constexpr size_t TagKontoM(int d, int j) {
  return 10 * d + 487 + j;
}
constexpr size_t FehlzeitAt(int d) {
  return 10 * d + 183;
}
constexpr size_t BuchMin(int d, int j) {
  return 10 * d + 795 + j;
}
constexpr size_t BuchArtStd(int d, int j) {
  return 10 * d + 1105 + j;
}
constexpr size_t AnzahlAt(int d) {
  return 1465 + d;
}
constexpr size_t BuchCodes(int d, int j) {
  return 10 * d + 1601 + j;
}
constexpr size_t VortagAt(int j) {
  return j <= 8 ? 1573 + 4 * j : 1927 + 4 * j;
}
constexpr size_t FolgetagAt(int j) {
  return 1918 + 4 * j;
}

constexpr int kStdBasis = 25;  // hours 0 to 24 below each kind

constexpr size_t kSaldoM = 1426, kSaldoH = 1446, kSaldoKorrM = 1428, kSaldoKorrH = 1448;
constexpr size_t kAnteilB = 1452, kAnteilBKorr = 1432, kAnteilA = 1454, kAnteilAKorr = 1434;
constexpr size_t MonTagKontoAt(int k) {
  return 1454 + 2 * k;
}
constexpr size_t MonTagKontoKorrAt(int k) {
  return 1434 + 2 * k;
}
constexpr size_t MonKontoAt(int k) {
  return 1495 + 2 * k;
}
constexpr size_t MonKontoKorrAt(int k) {
  return 1535 + 2 * k;
}
constexpr size_t kBerechnetAm = 1971, kBerechnetBis = 1979;
constexpr size_t kWarnTage = 1981, kFehlerTage = 1983, kWarnTageKorr = 1985;
constexpr size_t kFehlerTageKorr = 1987;
constexpr int kKompaktKonten = 20;

static_assert(VortagAt(10) + 4 <= kBerechnetAm && kFehlerTageKorr + 2 <= kKMonatSize);

void DecodeBuchungen(const uint8_t* raw, TMonatTag& t, int d, double datum) {
  BuchungsLeser leser(t);
  const int n = UsedSlots(GetU8(raw, AnzahlAt(d)), kKMonatSlots);
  for (int j = 1; j <= n; ++j) {
    const uint8_t artStd = GetU8(raw, BuchArtStd(d, j));
    TBuchung b{};
    b.Zeit = datum + TimeValue(artStd % kStdBasis, GetI8(raw, BuchMin(d, j)));
    if (BitSet(GetU32(raw, VortagAt(j)), d)) b.Zeit -= 1;
    if (BitSet(GetU32(raw, FolgetagAt(j)), d)) b.Zeit += 1;
    b.Art = static_cast<uint8_t>(artStd / kStdBasis);
    CodesFromByte(GetU8(raw, BuchCodes(d, j)), b);
    leser.Add(b);
  }
}

void DecodeTag(const uint8_t* raw, TMonatTag& t, int d, double datum) {
  t.TagZeit = GetTime16(raw, TagZeitH(d), TagZeitM(d));
  // The status word is written for the installation's other programs but not read back.
  t.Status = 0;
  for (int j = 1; j <= kTagKonten; ++j) {
    t.TagKonto[j - 1] = GetTime8(raw, TagKontoH(d, j), TagKontoM(d, j));
  }
  t.Fehlzeit = AbsenceFromCode(GetU8(raw, FehlzeitAt(d)));
  DecodeBuchungen(raw, t, d, datum);
}

void DecodeWerte(const uint8_t* raw, TMonatDaten& m) {
  m.MonSaldo = GetTime16(raw, kSaldoH, kSaldoM);
  m.MonSaldoKorr = GetTime16(raw, kSaldoKorrH, kSaldoKorrM);
  m.MonAnteilB = FromTenths(GetI16(raw, kAnteilB));
  m.MonAnteilBKorr = FromTenths(GetI16(raw, kAnteilBKorr));
  m.MonAnteilA = FromTenths(GetI16(raw, kAnteilA));
  m.MonAnteilAKorr = FromTenths(GetI16(raw, kAnteilAKorr));
  for (int k = 1; k <= kTagKonten; ++k) {
    m.MonTagKonto[k - 1] = FromMinutes(GetI16(raw, MonTagKontoAt(k)));
    m.MonTagKontoKorr[k - 1] = FromMinutes(GetI16(raw, MonTagKontoKorrAt(k)));
  }
  for (int k = 1; k <= kKompaktKonten; ++k) {
    m.MonKonto[k - 1] = FromMinutes(GetI16(raw, MonKontoAt(k)));
    m.MonKontoKorr[k - 1] = FromMinutes(GetI16(raw, MonKontoKorrAt(k)));
  }
  m.MonWarnTage = GetI16(raw, kWarnTage);
  m.MonFehlerTage = GetI16(raw, kFehlerTage);
  m.MonWarnTageKorr = GetI16(raw, kWarnTageKorr);
  m.MonFehlerTageKorr = GetI16(raw, kFehlerTageKorr);
}

void SetDayBit(uint8_t* raw, size_t at, int d) {
  PutU32(raw, at, GetU32(raw, at) | BitMask(d));
}

void EncodeBuchung(const TBuchung& b, uint8_t* raw, int d, int j, double datum) {
  double tag = datum;
  if (b.Zeit < datum) {
    tag -= 1;
    SetDayBit(raw, VortagAt(j), d);
  } else if (b.Zeit >= datum + 1) {
    tag += 1;
    SetDayBit(raw, FolgetagAt(j), d);
  }
  int32_t hours = 0, minutes = 0;
  SplitTime(b.Zeit - tag, &hours, &minutes);
  PutU8(raw, BuchArtStd(d, j), static_cast<uint8_t>(b.Art * kStdBasis + hours));
  PutI8(raw, BuchMin(d, j), static_cast<int8_t>(minutes));
  PutU8(raw, BuchCodes(d, j), CodesToByte(b));
}

void EncodeTag(const TMonatTag& t, uint8_t* raw, int d, double datum) {
  PutTime16(raw, TagZeitH(d), TagZeitM(d), t.TagZeit);
  PutI16(raw, StatusAt(d), static_cast<int16_t>(t.Status));
  for (int j = 1; j <= kTagKonten; ++j) {
    PutTime8(raw, TagKontoH(d, j), TagKontoM(d, j), t.TagKonto[j - 1]);
  }
  PutU8(raw, FehlzeitAt(d), AbsenceToCode(t.Fehlzeit));
  // Only ten slots exist, and the count never names more than were written.
  const int n = UsedSlots(t.Buchungszahl(), kKMonatSlots);
  PutU8(raw, AnzahlAt(d), static_cast<uint8_t>(n));
  for (int j = 1; j <= n; ++j) EncodeBuchung(t.Buchungen[j - 1], raw, d, j, datum);
}

void EncodeWerte(const TMonatDaten& m, uint8_t* raw) {
  auto put16 = [raw](size_t at, int32_t v) { PutI16(raw, at, static_cast<int16_t>(v)); };
  PutTime16(raw, kSaldoH, kSaldoM, m.MonSaldo);
  PutTime16(raw, kSaldoKorrH, kSaldoKorrM, m.MonSaldoKorr);
  put16(kAnteilB, ToTenths(m.MonAnteilB));
  put16(kAnteilBKorr, ToTenths(m.MonAnteilBKorr));
  put16(kAnteilA, ToTenths(m.MonAnteilA));
  put16(kAnteilAKorr, ToTenths(m.MonAnteilAKorr));
  for (int k = 1; k <= kTagKonten; ++k) {
    put16(MonTagKontoAt(k), ToMinutes(m.MonTagKonto[k - 1]));
    put16(MonTagKontoKorrAt(k), ToMinutes(m.MonTagKontoKorr[k - 1]));
  }
  for (int k = 1; k <= kKompaktKonten; ++k) {
    put16(MonKontoAt(k), ToMinutes(m.MonKonto[k - 1]));
    put16(MonKontoKorrAt(k), ToMinutes(m.MonKontoKorr[k - 1]));
  }
  PutDouble(raw, kBerechnetAm, m.BerechnetAm);
  PutI16(raw, kBerechnetBis, static_cast<int16_t>(m.BerechnetBis));
  PutI16(raw, kWarnTage, m.MonWarnTage);
  PutI16(raw, kFehlerTage, m.MonFehlerTage);
  PutI16(raw, kWarnTageKorr, m.MonWarnTageKorr);
  PutI16(raw, kFehlerTageKorr, m.MonFehlerTageKorr);
}

}  // namespace

const MonatLayout kLayout = {kKMonatSize, kBerechnetAm, kBerechnetBis, DecodeTag,
                             DecodeWerte, EncodeTag,    EncodeWerte};

void DecodeKMonat(const uint8_t* raw, TMonatDaten& m, int32_t year, int32_t month) {
  DecodeMonat(kLayout, raw, m, year, month);
}

void EncodeKMonat(const TMonatDaten& m, uint8_t* raw, int32_t year, int32_t month) {
  EncodeMonat(kLayout, m, raw, year, month);
}

}  // namespace qrv
