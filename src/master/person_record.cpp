#include "master/person_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/nls.h"
#include "util/real48.h"
#include "util/rounding.h"
#include "util/stored_bytes.h"
#include "util/texts.h"

namespace qrv {

namespace {

// Offsets of the stored record.
enum RawOffset : int {
  kName = 0,
  kVorname = 31,
  kText1 = 62,
  kText3 = 93,
  kText4 = 124,
  kText5 = 155,
  kText6 = 186,
  kHour1 = 208,
  kMinute1 = 210,
  kDay1 = 212,
  kMonth1 = 214,
  kYear1 = 216,
  kHour2 = 218,
  kMinute2 = 220,
  kHour3 = 222,
  kMinute3 = 224,
  kStatusflag = 226,
  kBelegt = 227,
  kWert3 = 231,
  kWert4 = 233,
  kText9 = 237,
  kRechte1 = 248,
  kGruppeNr = 254,
  kText2 = 285,
  kWert9 = 306,
  kWert10 = 308,
  kHour4 = 310,
  kMinute4 = 312,
  kYear4 = 314,
  kMonth4 = 316,
  kDay4 = 318,
  kJahreswert = 360,
  kEintritt = 362,
  kAustritt = 366,
  kText7 = 378,
  kAltVorlageNr = 393,
  kBemerkung = 395,
  kSchalter2 = 805,
  kSchalter3 = 806,
  kBetrag1 = 807,
  kBetrag2 = 813,
  kKurz1 = 819,
  kKurz2 = 832,
  kKurz3 = 835,
  kWert11 = 1049,
  kFrei1 = 1050,
  kText8 = 1360,
  kAusweisNr = 1391,
  kVorlageNr = 1395,
  kVorlageAb = 1399,
  kWert1 = 1407,
  kBerVorNr = 1408,
  kWert5 = 1412,
  kRechte2 = 1414,
  kRechte3 = 1420,
  kEintrittswert = 1426,
  kWert6 = 1428,
  kZeitpunkt5 = 1430,
  kStatusBis = 1438,
  kUebertrag = 1446,
  kFrei11 = 1447,
  kWert7 = 1757,
  kWert8 = 1759,
  kWert2 = 1761,
  kBlock = 1765,
};

using stored::GetDouble;
using stored::GetI16;
using stored::GetI32;
using stored::GetU16;
using stored::PutDouble;
using stored::PutI16;
using stored::PutI32;
using stored::PutU16;

constexpr int kFreiSize = 31;
constexpr int kKurzSize = 3;

// --- Texts ---

// The stored short string at into field; OEM text is converted when locale is given.
template <size_t N>
void ReadText(const uint8_t* raw, int at, std::array<uint8_t, N>& field, platform::Locale* oem) {
  std::string text = stored::GetShortString(raw, at, N - 1);
  if (oem != nullptr && !text.empty()) oem->ConvertOemToAnsi(text.data(), text.data(), text.size());
  field.fill(0);
  stored::PutShortString(field.data(), 0, N - 1, text);
}

// Writes the length byte and the characters only; the rest of the stored field stays.
template <size_t N>
void WriteText(uint8_t* raw, int at, const std::array<uint8_t, N>& field, platform::Locale* oem) {
  std::string text = stored::GetShortString(field.data(), 0, N - 1);
  if (oem != nullptr && !text.empty()) oem->ConvertAnsiToOem(text.data(), text.data(), text.size());
  stored::PutShortString(raw, at, N - 1, text);
}

void ReadKurz(const uint8_t* raw, int at, ShortString<3>& field) {
  field[0] = kKurzSize;
  std::memcpy(field.data() + 1, raw + at, kKurzSize);
}

void WriteKurz(uint8_t* raw, int at, const ShortString<3>& field) {
  const size_t n = std::min<size_t>(field[0], kKurzSize);
  std::memset(raw + at, ' ', kKurzSize);
  std::memcpy(raw + at, field.data() + 1, n);
}

// --- Dates and times ---

TDateTime DateOrZero(int year, int month, int day) {
  TDateTime t = 0;
  if (day == 0 || month == 0 || !TryEncodeDate(year, month, day, &t)) return 0;
  return t;
}

// -1 when the parts are no time of day.
double TimeOrInvalid(int hour, int minute) {
  TDateTime t = 0;
  return TryEncodeTime(hour, minute, 0, 0, &t) ? t : -1;
}

double TimeOrZero(int hour, int minute) {
  return std::max(0.0, TimeOrInvalid(hour, minute));
}

// A date and a time of day as one date-time (before 30 December 1899 the fraction still counts
// forward from the day's midnight); 0 when either is invalid.
TDateTime DateAndTime(TDateTime date, int hour, int minute) {
  const double time = TimeOrInvalid(hour, minute);
  if (date == 0 || time < 0) return 0;
  return date >= 0 ? date + time : date - time;
}

void HourMinute(TDateTime t, uint16_t* hour, uint16_t* minute) {
  uint16_t sec = 0, msec = 0;
  DecodeTime(t, hour, minute, &sec, &msec);
}

// Tenths in 16 bits, halves to even, held within the field's range.
int16_t ToTenths(double v) {
  const double t = RoundHalfEven(v * 10);
  if (std::isnan(t)) return 0;
  return static_cast<int16_t>(std::clamp(t, double{std::numeric_limits<int16_t>::min()},
                                         double{std::numeric_limits<int16_t>::max()}));
}

uint8_t Flag(const uint8_t* raw, int at) {
  return raw[at] != 0 ? 1 : 0;
}

// --- Reading, step by step ---

void ReadTexts(const uint8_t* raw, TPersonRec& rec, platform::Locale* oem) {
  ReadText(raw, kName, rec.Name, oem);
  ReadText(raw, kVorname, rec.Vorname, oem);
  ReadText(raw, kText1, rec.Text1, oem);
  ReadText(raw, kText2, rec.Text2, oem);
  ReadText(raw, kText3, rec.Text3, oem);
  ReadText(raw, kText4, rec.Text4, oem);
  ReadText(raw, kText5, rec.Text5, oem);
  ReadText(raw, kText6, rec.Text6, oem);
  ReadText(raw, kText7, rec.Text7, oem);
  ReadText(raw, kText8, rec.Text8, nullptr);
  for (int i = 0; i < 10; ++i) {
    ReadText(raw, kFrei1 + i * kFreiSize, rec.Frei[i], oem);
    ReadText(raw, kFrei11 + i * kFreiSize, rec.Frei[10 + i], oem);
  }
}

void ReadNumbers(const uint8_t* raw, TPersonRec& rec) {
  rec.VorlageNr = GetI32(raw, kVorlageNr);
  rec.VorlageAb = GetDouble(raw, kVorlageAb);
  rec.Wert1 = raw[kWert1];
  rec.BerVorNr = GetI32(raw, kBerVorNr);
  rec.Wert2 = GetI16(raw, kWert2);  // the low 16 bits
  rec.Wert3 = GetI16(raw, kWert3);
  rec.Wert4 = GetI16(raw, kWert4);
  rec.AltVorlageNr = GetI16(raw, kAltVorlageNr);
  ReadText(raw, kText9, rec.Text9, nullptr);
  for (int i = 0; i < 6; ++i) {
    rec.Rechte1[i] = raw[kRechte1 + i];
    rec.Rechte2[i] = raw[kRechte2 + i] | raw[kRechte1 + i];
    rec.Rechte3[i] = raw[kRechte3 + i] | raw[kRechte1 + i];
  }
  ShortString<30> gruppe{};
  ReadText(raw, kGruppeNr, gruppe, nullptr);
  rec.GruppeNr = StrToIntDef(GetShort(gruppe), 1);
  rec.Jahreswert = GetI16(raw, kJahreswert) / 10.0;
  rec.Wert5 = GetI16(raw, kWert5);
  rec.Eintrittswert = GetI16(raw, kEintrittswert) / 10.0;
  if (rec.Eintrittswert == 0) rec.Eintrittswert = rec.Jahreswert;
  rec.Wert6 = GetI16(raw, kWert6);
  rec.Uebertrag = Flag(raw, kUebertrag);
}

void ReadRange(const uint8_t* raw, TPersonRec& rec, TDateTime first) {
  rec.Eintritt = DateOrZero(GetU16(raw, kEintritt), raw[kEintritt + 2], raw[kEintritt + 3]);
  rec.Austritt = DateOrZero(GetU16(raw, kAustritt), raw[kAustritt + 2], raw[kAustritt + 3]);
  if (rec.Eintritt < first && (rec.Austritt == 0 || rec.Austritt >= first)) rec.Eintritt = first;
  if (rec.VorlageAb < rec.Eintritt) rec.VorlageAb = rec.Eintritt;
}

void ReadBemerkung(const uint8_t* raw, TPersonRec& rec, platform::Locale* oem) {
  const auto* text = reinterpret_cast<const char*>(raw + kBemerkung);
  const size_t n = strnlen(text, kBemerkungSize - 1);
  rec.Bemerkung.fill(0);
  std::memcpy(rec.Bemerkung.data(), text, n);
  if (oem != nullptr && n > 0) oem->ConvertOemToAnsi(rec.Bemerkung.data(), rec.Bemerkung.data(), n);
}

void ReadTimes(const uint8_t* raw, TPersonRec& rec) {
  const TDateTime date1 = DateOrZero(GetU16(raw, kYear1), GetU16(raw, kMonth1), GetU16(raw, kDay1));
  rec.Zeitpunkt1 = DateAndTime(date1, GetU16(raw, kHour1), GetU16(raw, kMinute1));
  rec.Zeitpunkt2 = DateAndTime(date1, GetU16(raw, kHour2), GetU16(raw, kMinute2));
  rec.Zeitpunkt3 = TimeOrZero(GetU16(raw, kHour3), GetU16(raw, kMinute3));
  rec.Wert9 = GetI16(raw, kWert9);
  rec.Wert10 = GetI16(raw, kWert10);
  const TDateTime date4 = DateOrZero(GetU16(raw, kYear4), GetU16(raw, kMonth4), GetU16(raw, kDay4));
  rec.Zeitpunkt4 = DateAndTime(date4, GetU16(raw, kHour4), GetU16(raw, kMinute4));
}

void ReadStatus(const uint8_t* raw, TPersonRec& rec, TDateTime today) {
  rec.Zeitpunkt5 = GetDouble(raw, kZeitpunkt5);
  rec.StatusBis = GetDouble(raw, kStatusBis);
  rec.Statusflag = Flag(raw, kStatusflag);
  // A status set without an end lasts until tomorrow while its start is recent.
  if (rec.StatusBis == 0 && rec.Statusflag && rec.Zeitpunkt4 >= today - 1) {
    rec.StatusBis = today + 1;
  }
  rec.Wert11 = raw[kWert11];
  std::memcpy(rec.Block.data(), raw + kBlock, rec.Block.size());
}

// --- Writing, step by step ---

void WriteTexts(uint8_t* raw, const TPersonRec& rec, platform::Locale* oem) {
  WriteText(raw, kName, rec.Name, oem);
  WriteText(raw, kVorname, rec.Vorname, oem);
  WriteText(raw, kText1, rec.Text1, oem);
  WriteText(raw, kText2, rec.Text2, oem);
  WriteText(raw, kText3, rec.Text3, oem);
  WriteText(raw, kText4, rec.Text4, oem);
  WriteText(raw, kText5, rec.Text5, oem);
  WriteText(raw, kText6, rec.Text6, oem);
  WriteText(raw, kText7, rec.Text7, oem);
  WriteText(raw, kText8, rec.Text8, nullptr);
  WriteText(raw, kText9, rec.Text9, nullptr);
  for (int i = 0; i < 10; ++i) {
    WriteText(raw, kFrei1 + i * kFreiSize, rec.Frei[i], oem);
    WriteText(raw, kFrei11 + i * kFreiSize, rec.Frei[10 + i], oem);
  }
}

void WriteNumbers(uint8_t* raw, const TPersonRec& rec) {
  PutI32(raw, kVorlageNr, rec.VorlageNr);
  PutDouble(raw, kVorlageAb, rec.VorlageAb);
  raw[kWert1] = rec.Wert1;
  PutI32(raw, kBerVorNr, rec.BerVorNr);
  PutI32(raw, kWert2, rec.Wert2);
  PutI16(raw, kWert3, rec.Wert3);
  PutI16(raw, kWert4, rec.Wert4);
  PutI16(raw, kAltVorlageNr, rec.AltVorlageNr);
  for (int i = 0; i < 6; ++i) {
    raw[kRechte1 + i] = rec.Rechte1[i];
    raw[kRechte2 + i] = rec.Rechte2[i] | rec.Rechte1[i];
    raw[kRechte3 + i] = rec.Rechte3[i] | rec.Rechte1[i];
  }
  ShortString<30> gruppe{};
  SetShort(gruppe, std::to_string(rec.GruppeNr));
  WriteText(raw, kGruppeNr, gruppe, nullptr);
  PutI16(raw, kJahreswert, ToTenths(rec.Jahreswert));
  PutI16(raw, kEintrittswert, ToTenths(rec.Eintrittswert));
  PutI16(raw, kWert5, rec.Wert5);
  PutI16(raw, kWert6, rec.Wert6);
  raw[kUebertrag] = rec.Uebertrag ? 0xFF : 0;
}

void WriteDate(uint8_t* raw, int at, TDateTime t) {
  uint16_t year = 0, month = 0, day = 0;
  if (t != 0) DecodeDate(t, &year, &month, &day);
  PutU16(raw, at, year);
  raw[at + 2] = static_cast<uint8_t>(month);
  raw[at + 3] = static_cast<uint8_t>(day);
}

void WriteRangeAndFlags(uint8_t* raw, const TPersonRec& rec, platform::Locale* oem) {
  if (rec.Eintritt != 0) WriteDate(raw, kEintritt, rec.Eintritt);
  WriteDate(raw, kAustritt, rec.Austritt);
  PutI16(raw, kWert7, rec.Wert7);
  PutI16(raw, kWert8, rec.Wert8);
  char* text = reinterpret_cast<char*>(raw + kBemerkung);
  const size_t n = strnlen(rec.Bemerkung.data(), kBemerkungSize - 1);
  std::memcpy(text, rec.Bemerkung.data(), n);
  text[n] = 0;
  if (oem != nullptr && n > 0) oem->ConvertAnsiToOem(text, text, n);
  raw[kBelegt] = rec.Belegt ? 1 : 0;
  raw[kSchalter2] = rec.Schalter2 ? 1 : 0;
  raw[kSchalter3] = rec.Schalter3 ? 1 : 0;
  DoubleToReal48(rec.Betrag1, raw + kBetrag1);
  DoubleToReal48(rec.Betrag2, raw + kBetrag2);
  WriteKurz(raw, kKurz1, rec.Kurz1);
  WriteKurz(raw, kKurz2, rec.Kurz2);
  WriteKurz(raw, kKurz3, rec.Kurz3);
}

void WriteTimes(uint8_t* raw, const TPersonRec& rec) {
  uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  if (rec.Zeitpunkt1 != 0) {
    DecodeDate(rec.Zeitpunkt1, &year, &month, &day);
    HourMinute(rec.Zeitpunkt1, &hour, &minute);
    PutU16(raw, kDay1, day);
    PutU16(raw, kMonth1, month);
    PutU16(raw, kYear1, year);
    PutU16(raw, kHour1, hour);
    PutU16(raw, kMinute1, minute);
  }
  if (rec.Zeitpunkt2 != 0) {
    HourMinute(rec.Zeitpunkt2, &hour, &minute);
    PutU16(raw, kHour2, hour);
    PutU16(raw, kMinute2, minute);
    HourMinute(rec.Zeitpunkt3, &hour, &minute);
    PutU16(raw, kHour3, hour);
    PutU16(raw, kMinute3, minute);
  }
  PutI16(raw, kWert9, rec.Wert9);
  PutI16(raw, kWert10, rec.Wert10);
  if (rec.Zeitpunkt4 != 0) {
    DecodeDate(rec.Zeitpunkt4, &year, &month, &day);
    HourMinute(rec.Zeitpunkt4, &hour, &minute);
    PutU16(raw, kYear4, year);
    PutU16(raw, kMonth4, month);
    PutU16(raw, kDay4, day);
    PutU16(raw, kHour4, hour);
    PutU16(raw, kMinute4, minute);
  }
}

void WriteStatus(uint8_t* raw, const TPersonRec& rec) {
  raw[kStatusflag] = rec.Statusflag ? 1 : 0;
  PutDouble(raw, kZeitpunkt5, rec.Zeitpunkt5);
  PutDouble(raw, kStatusBis, rec.StatusBis);
  raw[kWert11] = rec.Wert11;
  std::memcpy(raw + kBlock, rec.Block.data(), rec.Block.size());
}

// --- Sorting ---

int Sign(int v) {
  return (v > 0) - (v < 0);
}

template <size_t N>
int CompareShort(platform::Locale& locale, const std::array<uint8_t, N>& a,
                 const std::array<uint8_t, N>& b) {
  return Sign(locale.CompareText(GetShort(a), GetShort(b)));
}

int CompareNames(platform::Locale& locale, const TPersonRec& a, const TPersonRec& b) {
  const int byName = CompareShort(locale, a.Name, b.Name);
  return byName != 0 ? byName : CompareShort(locale, a.Vorname, b.Vorname);
}

bool CurrentStatus(const TPersonRec& p, TDateTime now) {
  return p.Statusflag != 0 && now < p.StatusBis;
}

int CompareByOrder(const TPersonRec& a, const TPersonRec& b, int32_t order,
                   platform::Locale& locale, TDateTime now) {
  int r = 0;
  switch (order) {
    case 0:
      return (a.AusweisNr > b.AusweisNr) - (a.AusweisNr < b.AusweisNr);
    case 1:
      return CompareShort(locale, a.Text6, b.Text6);
    case 2:
      return CompareNames(locale, a, b);
    case 3:
      r = CompareShort(locale, a.Text1, b.Text1);
      break;
    case 4:
      r = CurrentStatus(b, now) - CurrentStatus(a, now);
      break;
    case 5:
      r = CompareShort(locale, a.Text2, b.Text2);
      break;
    case 6:
      r = CompareShort(locale, a.Frei[0], b.Frei[0]);
      break;
    default:
      return 0;
  }
  return r != 0 ? r : CompareNames(locale, a, b);
}

}  // namespace

std::string GetBemerkung(const TPersonRec& rec) {
  return std::string(rec.Bemerkung.data(), strnlen(rec.Bemerkung.data(), kBemerkungSize - 1));
}

void SetBemerkung(TPersonRec& rec, std::string_view text) {
  rec.Bemerkung.fill(0);
  const size_t n = std::min<size_t>(text.size(), kBemerkungSize - 1);
  std::memcpy(rec.Bemerkung.data(), text.data(), n);
}

TDateTime FirstPermittedDate(int32_t verwJahreMin) {
  TDateTime t = 0;
  return TryEncodeDate(verwJahreMin, 1, 1, &t) ? t : 0;
}

void PersonRawToObject(const uint8_t* raw, TPersonRec& rec, int32_t persNr,
                       const TPersonContext& ctx) {
  rec = TPersonRec{};
  rec.PersNr = persNr;
  rec.AusweisNr = GetI32(raw, kAusweisNr);
  if (rec.AusweisNr == 0) rec.AusweisNr = ctx.AuswOffset < 0 ? persNr : persNr + ctx.AuswOffset;
  ReadTexts(raw, rec, ctx.Locale);
  ReadNumbers(raw, rec);
  ReadRange(raw, rec, ctx.FirstDate);
  ReadBemerkung(raw, rec, ctx.Locale);
  rec.Wert7 = GetI16(raw, kWert7);
  rec.Wert8 = GetI16(raw, kWert8);
  rec.Belegt = raw[kBelegt] != 0 && (rec.Austritt == 0 || rec.Austritt >= ctx.FirstDate);
  rec.Schalter2 = Flag(raw, kSchalter2);
  rec.Schalter3 = Flag(raw, kSchalter3);
  rec.Betrag1 = Real48ToDouble(raw + kBetrag1);
  rec.Betrag2 = Real48ToDouble(raw + kBetrag2);
  ReadKurz(raw, kKurz1, rec.Kurz1);
  ReadKurz(raw, kKurz2, rec.Kurz2);
  ReadKurz(raw, kKurz3, rec.Kurz3);
  ReadTimes(raw, rec);
  ReadStatus(raw, rec, ctx.Today);
  // Records of the oldest layout name their plan template by their own numbers.
  if (GetI32(raw, kVorlageNr) == 0) {
    rec.VorlageNr = rec.AltVorlageNr == 0 ? rec.Wert3 + 1000 : rec.AltVorlageNr;
    rec.VorlageAb = rec.Eintritt;
  }
}

void PersonObjectToRaw(uint8_t* raw, TPersonRec& rec, const TPersonContext& ctx) {
  if (rec.Eintritt < ctx.FirstDate) rec.Eintritt = ctx.FirstDate;
  if (rec.VorlageAb < rec.Eintritt) rec.VorlageAb = rec.Eintritt;
  PutI32(raw, kAusweisNr, rec.AusweisNr);
  WriteTexts(raw, rec, ctx.Locale);
  WriteNumbers(raw, rec);
  WriteRangeAndFlags(raw, rec, ctx.Locale);
  WriteTimes(raw, rec);
  WriteStatus(raw, rec);
}

void InitNewPerson(TPersonRec& rec, int32_t persNr, int32_t auswOffset, int32_t gruppe,
                   TDateTime today) {
  if (persNr == 1) {
    SetShort(rec.Name, "Supervisor");
    rec.Rechte1.fill(0xFF);
    rec.Rechte2.fill(0xFF);
    rec.Rechte3.fill(0xFF);
    rec.Belegt = 1;
  }
  if (GetShort(rec.Name).empty()) SetShort(rec.Name, "_" + ZeroPad(persNr, 4));
  rec.PersNr = persNr;
  rec.AusweisNr = auswOffset > 0 ? persNr + auswOffset : persNr;
  rec.GruppeNr = gruppe;
  uint16_t year = 0, month = 0, day = 0;
  DecodeDate(today, &year, &month, &day);
  rec.Eintritt = DateOrZero(year, month, 1);
  rec.VorlageNr = 1001;
  rec.BerVorNr = 1;
}

int16_t ComparePersons(const TPersonRec& a, const TPersonRec& b, int32_t order,
                       platform::Locale& locale, TDateTime now) {
  if (a.PersNr == b.PersNr) return 0;
  if ((a.Belegt != 0) != (b.Belegt != 0)) return a.Belegt ? -1 : 1;
  int r = CompareByOrder(a, b, order, locale, now);
  if (r == 0 && a.AusweisNr != 0 && b.AusweisNr != 0) {
    r = (a.AusweisNr > b.AusweisNr) - (a.AusweisNr < b.AusweisNr);
  }
  return static_cast<int16_t>(r);
}

}  // namespace qrv
