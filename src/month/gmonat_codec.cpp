// The full month layout (9000 bytes). Day d's fields lie in rows of 50 bytes per day (10 for the
// first ten booking codes); the codes of slots 11 to 40 fill the gaps behind the minutes, hours
// and kinds of each day's row.
#include <cstring>

#include "month/monat_codec.h"
#include "util/datetime.h"
#include "util/stored_bytes.h"

namespace qrv {

namespace {

using namespace stored;
using namespace monat_codec;

// Status bits 5 to 10 are working bits of the installation's editor, not kept over a load.
constexpr uint16_t kStatusDropped = 0x07E0;

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
  return 50 * d + 137 + j;
}
constexpr size_t FehlzeitAt(int d) {
  return 50 * d + 143;
}
// Hours part of the stored value of account k (1 to 40): accounts 21 to 40 come first.
constexpr size_t KontoWertH(int d, int k) {
  return k > 20 ? 50 * d + 145 + (k - 20) : 50 * d + 165 + k;
}
// Every minutes part of a day account or stored value lies 1550 bytes behind its hours part.
constexpr size_t MinutesOf(size_t hoursAt) {
  return hoursAt + 1550;
}
constexpr size_t BuchMin(int d, int j) {
  return 50 * d + 3235 + j;
}
constexpr size_t BuchStd(int d, int j) {
  return 50 * d + 4785 + j;
}
constexpr size_t BuchArt(int d, int j) {
  return 50 * d + 6566 + j;
}
constexpr size_t BuchCodes(int d, int j) {
  if (j <= 10) return 10 * d + 8316 + j;
  if (j <= 20) return 50 * d + 4815 + j;
  if (j <= 30) return 50 * d + 3255 + j;
  return 50 * d + 6576 + j;
}
constexpr size_t AnzahlAt(int d) {
  return 6585 + d;
}
constexpr size_t TagWortAt(int d) {
  return 8720 + 2 * (d - 1);
}

static_assert(BuchCodes(31, 10) < 8678 && TagWortAt(31) + 2 <= 8782 && 8920 <= kGMonatSize);

constexpr size_t kSaldoM = 6386, kSaldoH = 8800, kSaldoKorrM = 6390, kSaldoKorrH = 8804;
constexpr size_t kAnteilB = 8812, kAnteilBKorr = 6398, kAnteilA = 8816, kAnteilAKorr = 6402;
constexpr size_t MonTagKontoAt(int k) {
  return 8816 + 4 * k;
}
constexpr size_t MonTagKontoKorrAt(int k) {
  return 6402 + 4 * k;
}
constexpr size_t MonKontoAt(int k) {
  return k > 20 ? 8840 + 4 * (k - 20) : 8163 + 4 * k;
}
constexpr size_t MonKontoKorrAt(int k) {
  return k > 20 ? 6422 + 4 * (k - 20) : 8243 + 4 * k;
}
constexpr size_t kBerechnetAm = 8678, kBerechnetBis = 8686;
constexpr size_t kWarnTage = 8688, kFehlerTage = 8690, kWarnTageKorr = 8692;
constexpr size_t kFehlerTageKorr = 8694;
constexpr size_t kMonInt = 8696, kUebertrag = 8712, kMonFlag = 8782;

void DecodeKonten(const uint8_t* raw, TMonatTag& t, int d) {
  for (int j = 1; j <= kTagKonten; ++j) {
    t.TagKonto[j - 1] = GetTime8(raw, TagKontoH(d, j), MinutesOf(TagKontoH(d, j)));
  }
  for (int k = 1; k <= kKonten; ++k) {
    t.TagKontoWert[k - 1] = GetTime8(raw, KontoWertH(d, k), MinutesOf(KontoWertH(d, k)));
  }
}

void DecodeBuchungen(const uint8_t* raw, TMonatTag& t, int d, double datum) {
  BuchungsLeser leser(t);
  const int n = UsedSlots(GetU8(raw, AnzahlAt(d)), kGMonatSlots);
  for (int j = 1; j <= n; ++j) {
    TBuchung b{};
    b.Zeit = datum + TimeValue(GetI8(raw, BuchStd(d, j)), GetI8(raw, BuchMin(d, j)));
    b.Art = GetU8(raw, BuchArt(d, j));
    CodesFromByte(GetU8(raw, BuchCodes(d, j)), b);
    leser.Add(b);
  }
}

void DecodeTag(const uint8_t* raw, TMonatTag& t, int d, double datum) {
  t.TagZeit = GetTime16(raw, TagZeitH(d), TagZeitM(d));
  t.Status = static_cast<uint16_t>(GetU16(raw, StatusAt(d)) & ~kStatusDropped);
  DecodeKonten(raw, t, d);
  t.Fehlzeit = AbsenceFromCode(GetU8(raw, FehlzeitAt(d)));
  DecodeBuchungen(raw, t, d, datum);
  t.TagWort = GetI16(raw, TagWortAt(d));
}

void DecodeWerte(const uint8_t* raw, TMonatDaten& m) {
  m.MonSaldo = GetTime32(raw, kSaldoH, kSaldoM);
  m.MonSaldoKorr = GetTime32(raw, kSaldoKorrH, kSaldoKorrM);
  m.MonAnteilB = FromTenths(GetI32(raw, kAnteilB));
  m.MonAnteilBKorr = FromTenths(GetI32(raw, kAnteilBKorr));
  m.MonAnteilA = FromTenths(GetI32(raw, kAnteilA));
  m.MonAnteilAKorr = FromTenths(GetI32(raw, kAnteilAKorr));
  for (int k = 1; k <= kTagKonten; ++k) {
    m.MonTagKonto[k - 1] = FromMinutes(GetI32(raw, MonTagKontoAt(k)));
    m.MonTagKontoKorr[k - 1] = FromMinutes(GetI32(raw, MonTagKontoKorrAt(k)));
  }
  for (int k = 1; k <= kKonten; ++k) {
    m.MonKonto[k - 1] = FromMinutes(GetI32(raw, MonKontoAt(k)));
    m.MonKontoKorr[k - 1] = FromMinutes(GetI32(raw, MonKontoKorrAt(k)));
  }
  m.MonWarnTage = GetI16(raw, kWarnTage);
  m.MonFehlerTage = GetI16(raw, kFehlerTage);
  m.MonWarnTageKorr = GetI16(raw, kWarnTageKorr);
  m.MonFehlerTageKorr = GetI16(raw, kFehlerTageKorr);
  m.MonInt1 = GetI32(raw, kMonInt);
  m.MonInt2 = GetI32(raw, kMonInt + 4);
  m.MonInt3 = GetI32(raw, kMonInt + 8);
  m.MonInt4 = GetI32(raw, kMonInt + 12);
  m.MonUebertrag = GetDouble(raw, kUebertrag);
  m.MonFlag = GetU8(raw, kMonFlag);
}

void EncodeTag(const TMonatTag& t, uint8_t* raw, int d, double datum) {
  PutTime16(raw, TagZeitH(d), TagZeitM(d), t.TagZeit);
  PutI16(raw, StatusAt(d), static_cast<int16_t>(t.Status));
  for (int j = 1; j <= kTagKonten; ++j) {
    PutTime8(raw, TagKontoH(d, j), MinutesOf(TagKontoH(d, j)), t.TagKonto[j - 1]);
  }
  for (int k = 1; k <= kKonten; ++k) {
    PutTime8(raw, KontoWertH(d, k), MinutesOf(KontoWertH(d, k)), t.TagKontoWert[k - 1]);
  }
  PutU8(raw, FehlzeitAt(d), AbsenceToCode(t.Fehlzeit));
  const int n = t.Buchungszahl();
  PutU8(raw, AnzahlAt(d), static_cast<uint8_t>(n));
  for (int j = 1; j <= n; ++j) {
    const TBuchung& b = t.Buchungen[j - 1];
    PutTime8(raw, BuchStd(d, j), BuchMin(d, j), b.Zeit - datum);
    PutU8(raw, BuchArt(d, j), b.Art);
    PutU8(raw, BuchCodes(d, j), CodesToByte(b));
  }
  PutI16(raw, TagWortAt(d), t.TagWort);
}

void EncodeWerte(const TMonatDaten& m, uint8_t* raw) {
  PutTime32(raw, kSaldoH, kSaldoM, m.MonSaldo);
  PutTime32(raw, kSaldoKorrH, kSaldoKorrM, m.MonSaldoKorr);
  PutI32(raw, kAnteilB, ToTenths(m.MonAnteilB));
  PutI32(raw, kAnteilBKorr, ToTenths(m.MonAnteilBKorr));
  PutI32(raw, kAnteilA, ToTenths(m.MonAnteilA));
  PutI32(raw, kAnteilAKorr, ToTenths(m.MonAnteilAKorr));
  for (int k = 1; k <= kTagKonten; ++k) {
    PutI32(raw, MonTagKontoAt(k), ToMinutes(m.MonTagKonto[k - 1]));
    PutI32(raw, MonTagKontoKorrAt(k), ToMinutes(m.MonTagKontoKorr[k - 1]));
  }
  for (int k = 1; k <= kKonten; ++k) {
    PutI32(raw, MonKontoAt(k), ToMinutes(m.MonKonto[k - 1]));
    PutI32(raw, MonKontoKorrAt(k), ToMinutes(m.MonKontoKorr[k - 1]));
  }
  PutDouble(raw, kBerechnetAm, m.BerechnetAm);
  PutI16(raw, kBerechnetBis, static_cast<int16_t>(m.BerechnetBis));
  PutI16(raw, kWarnTage, m.MonWarnTage);
  PutI16(raw, kFehlerTage, m.MonFehlerTage);
  PutI16(raw, kWarnTageKorr, m.MonWarnTageKorr);
  PutI16(raw, kFehlerTageKorr, m.MonFehlerTageKorr);
  PutI32(raw, kMonInt, m.MonInt1);
  PutI32(raw, kMonInt + 4, m.MonInt2);
  PutI32(raw, kMonInt + 8, m.MonInt3);
  PutI32(raw, kMonInt + 12, m.MonInt4);
  PutDouble(raw, kUebertrag, m.MonUebertrag);
  PutU8(raw, kMonFlag, m.MonFlag);
}

}  // namespace

const MonatLayout kLayout = {kGMonatSize, kBerechnetAm, kBerechnetBis, DecodeTag,
                             DecodeWerte, EncodeTag,    EncodeWerte};

void DecodeGMonat(const uint8_t* raw, TMonatDaten& m, int32_t year, int32_t month) {
  DecodeMonat(kLayout, raw, m, year, month);
}

void EncodeGMonat(const TMonatDaten& m, uint8_t* raw, int32_t year, int32_t month) {
  EncodeMonat(kLayout, m, raw, year, month);
}

}  // namespace qrv
