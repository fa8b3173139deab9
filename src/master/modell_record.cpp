#include "master/modell_record.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "util/errors.h"
#include "util/fields.h"
#include "util/stored_bytes.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr int32_t kNameOffset = 0;
constexpr int32_t kNameCapacity = 50;
constexpr int32_t kDatumOffset = 51;
constexpr int32_t kDatumCapacity = 8;
constexpr int32_t kMarkerOffset = 60;
constexpr char kMarker[] = "OhneSCM";
constexpr int32_t kTagNummerOffset = 2568;

using Paar = std::pair<double, double>;

int8_t S8(uint8_t b) {
  return static_cast<int8_t>(b);
}

// --- Reading ---

double Zeit(const uint8_t* p, int h, int m) {
  return HMToTime(S8(p[h]), S8(p[m]));
}

double Minuten(int32_t minutes) {
  return HMToTime(0, minutes);
}

// A window in use keeps its times; past midnight an end before noon lies on the next day, and
// so does a start before noon with it. Windows not in use are empty.
Paar Fenster(bool benutzt, double von, double bis, bool nacht) {
  if (!benutzt) return {0, 0};
  if (nacht && bis < 0.5) {
    bis += 1;
    if (von < 0.5) von += 1;
  }
  return {von, bis};
}

void LeseZeiten(const uint8_t* p, Tagesprofil& t) {
  t.Soll = Zeit(p, 2, 3);
  t.HatTagWert1 = (p[293] & 0x04) != 0;
  t.TagWert1 = t.HatTagWert1 ? Zeit(p, 294, 295) : t.Soll;
  t.HatTagWert2 = (p[293] & 0x02) != 0;
  t.TagWert2 = t.HatTagWert2 ? Zeit(p, 296, 297) : t.Soll;
  t.HatFeiertagszeit = (p[293] & 0x01) != 0;
  t.Feiertagszeit = t.HatFeiertagszeit ? Zeit(p, 298, 299) : t.Soll;
  t.HatAbzug1 = p[92] != 0;
  t.Abzug1 = Zeit(p, 6, 7);
  t.HatAbzug2 = p[94] != 0;
  t.Abzug2 = Zeit(p, 8, 9);
}

void LeseRundung(const uint8_t* p, Tagesprofil& t) {
  const int raster = p[10] & 0x3F;
  t.RundRaster = Minuten(raster);
  uint32_t flags = ((p[93] >> 3) & 1u) | ((p[10] >> 6) & 1u) << 1 | ((p[10] >> 7) & 1u) << 2 |
                   static_cast<uint32_t>(p[307]) << 3;
  t.RundFlags = raster == 0 ? 0 : flags;
  t.RundGehen = Minuten((p[93] >> 4) & 7);
  t.RundKommen = Minuten(p[93] & 7);
}

void LeseFenster(const uint8_t* p, Tagesprofil& t, bool nacht) {
  t.RundFrei = p[110] != 0;
  Paar w = Fenster(t.RundFrei, Zeit(p, 62, 66), Zeit(p, 70, 74), nacht);
  t.RundFreiVon = w.first;
  t.RundFreiBis = w.second;
  t.HatRahmen = p[95] != 0;
  w = Fenster(t.HatRahmen, Zeit(p, 11, 13), Zeit(p, 15, 17), nacht);
  t.RahmenVon = w.first;
  t.RahmenBis = w.second;
  t.HatKernzeit = p[97] != 0;
  w = Fenster(t.HatKernzeit, Zeit(p, 19, 21), Zeit(p, 23, 25), nacht);
  t.KernBeginn = w.first;
  t.KernEnde = w.second;
  t.HatFenster4 = p[107] != 0;
  w = Fenster(t.HatFenster4, Zeit(p, 59, 63), Zeit(p, 67, 71), nacht);
  t.Fenster4Von = w.first;
  t.Fenster4Bis = w.second;
  for (int i = 0; i < kPausenAnzahl; ++i) {
    const bool aktiv = p[99 + i] != 0;
    w = Fenster(aktiv, Zeit(p, 27 + i, 31 + i), Zeit(p, 35 + i, 39 + i), nacht);
    t.Pausen[i] = {aktiv, w.first, w.second};
  }
  for (int i = 0; i < kRegelAnzahl; ++i) {
    // Type 4 was renamed 5 when the kinds of break rules were renumbered.
    const int16_t typ = p[103 + i] == 4 ? 5 : p[103 + i];
    w = Fenster(typ > 0, Zeit(p, 43 + i, 47 + i), Zeit(p, 51 + i, 55 + i), nacht);
    t.Regeln[i] = {typ, w.first, w.second};
    t.RegelSchwelle[i] = HMToTime(S8(p[287 + i]), S8(p[163 + i]));
    t.RegelMinuten[i] = Minuten(p[159 + i]);
  }
  for (int i = 0; i < 4; ++i) {
    w = Fenster(p[111 + i] != 0, Zeit(p, 75 + i, 79 + i), Zeit(p, 83 + i, 87 + i), nacht);
    t.FensterC[i] = {p[111 + i], p[301 + i], w.first, w.second};
  }
  for (int i = 0; i < 2; ++i) {
    w = Fenster(p[108 + i] != 0, Zeit(p, 60 + i, 64 + i), Zeit(p, 68 + i, 72 + i), nacht);
    t.FensterC[4 + i] = {p[108 + i], p[305 + i], w.first, w.second};
  }
}

// The older form held eight windows with their minutes in the flag byte; windows 1 to 4 go to
// accounts 1 to 4 as kind 2, windows 5 to 8 to accounts 5 to 8 as kind 1.
void LeseAlteKontofenster(uint8_t* p, Tagesprofil& t, bool nacht) {
  for (int i = 0; i < 4; ++i) {
    const uint8_t b = p[115 + i];
    if (b == 0) continue;
    const Paar w = Fenster(true, Zeit(p, 123 + i, 127 + i), Zeit(p, 131 + i, 135 + i), nacht);
    if (w.first != w.second) t.Kontofenster[i] = {w.first, w.second, 2, Minuten(b & 0x3F)};
  }
  for (int i = 0; i < 4; ++i) {
    const uint8_t b = p[119 + i];
    if (b == 0) continue;
    const Paar w = Fenster(true, Zeit(p, 139 + i, 143 + i), Zeit(p, 147 + i, 151 + i), nacht);
    if (w.first != w.second) t.Kontofenster[4 + i] = {w.first, w.second, 1, Minuten(b & 0x3F)};
  }
  std::memset(p + 115, 0, 8);
}

void LeseKontofenster(const uint8_t* p, Tagesprofil& t, bool nacht, const TKontoDefs& konten) {
  for (int i = 1; i <= kKontofensterAnzahl; ++i) {
    if (p[246 + i] == 0) continue;
    const Paar w = Fenster(true, Minuten(stored::GetI16(p, 165 + 2 * i)),
                           Minuten(stored::GetI16(p, 205 + 2 * i)), nacht);
    TKontofenster& k = t.Kontofenster[i - 1];
    k.Von = w.first;
    k.Bis = w.second;
    if (w.first != w.second) {
      k.Art = konten.Konto(i).Art;
      k.Minuten = k.Art != 0 ? Minuten(p[266 + i]) : 0;
    }
  }
}

void LeseProfil(uint8_t* p, Tagesprofil& t, const TKontoDefs& konten) {
  t.Mitternacht = stored::GetI16(p, 0) != 0;
  const bool endeGegeben = p[300] != 0;
  const bool nacht = t.Mitternacht && !endeGegeben;
  t.HatSpanne = (p[155] | p[156] | p[157] | p[158]) != 0;
  t.SpanneVon = Zeit(p, 155, 156);
  t.SpanneBis = Zeit(p, 157, 158);
  t.HatTagesende = true;
  t.Tagesende = endeGegeben ? Zeit(p, 291, 292) : (t.Mitternacht ? 1.5 : 1.0);
  LeseZeiten(p, t);
  LeseRundung(p, t);
  LeseFenster(p, t, nacht);
  // Clock-in time is kept as twice its distance from the stored start of core time.
  t.HatAutoKommen = p[91] != 0;
  t.AutoKommen = HMToTime(S8(p[19]) + S8(p[4]) / 2, S8(p[21]) + S8(p[5]) / 2);
  if (t.HatSpanne && TimeGreater(t.AutoKommen, t.SpanneBis)) t.HatAutoKommen = false;
  LeseAlteKontofenster(p, t, nacht);
  LeseKontofenster(p, t, nacht, konten);
}

int32_t ZahlOderFehler(const std::string& text) {
  int32_t value = 0;
  if (!TryStrToInt(text, &value)) {
    throw EConvertError("'" + text + "' ist kein g\xFCltiger Integerwert");
  }
  return value;
}

void LeseDatum(const uint8_t* raw, ModellVersion& v, uint16_t aktuellesJahr) {
  const std::string text = stored::GetShortString(raw, kDatumOffset, kDatumCapacity);
  if (text.empty()) {
    v.StartDatum = v.SortDatum = EncodeDate(1995, 1, 1);
  } else {
    int32_t jahr = ZahlOderFehler(LeftChars(text, 4));
    const int32_t monat = ZahlOderFehler(text.size() > 4 ? text.substr(4, 2) : "");
    int32_t tag = ZahlOderFehler(RightChars(text, 2));
    v.JedesJahr = jahr == 0;
    if (jahr == 0) {
      jahr = aktuellesJahr;
      tag = JaehrlicherTag(monat, tag);
    }
    v.StartDatum = v.SortDatum = EncodeDate(jahr, monat, tag);
  }
  const int32_t tagNummer = stored::GetI32(raw, kTagNummerOffset);
  if (tagNummer != 0) v.StartDatum = tagNummer;
}

// --- Writing ---

void PutZeit(uint8_t* p, int h, int m, double zeit) {
  int8_t hours = 0;
  int8_t minutes = 0;
  SplitTime(zeit, &hours, &minutes);
  p[h] = static_cast<uint8_t>(hours);
  p[m] = static_cast<uint8_t>(minutes);
}

uint8_t MinutenByte(double zeit) {
  return static_cast<uint8_t>(TimeToMinutes(zeit) & 0xFF);
}

// Clock-in is stored as its distance from the start of core time with hours and minutes each
// doubled: reading halves the two parts separately, so doubling the distance as a whole would
// turn 0:30 into 1 h 0 min, which reads back as 0:00.
void PutAutoKommen(const Tagesprofil& t, uint8_t* p) {
  int32_t hours = 0;
  int32_t minutes = 0;
  SplitTime(t.AutoKommen - t.KernBeginn, &hours, &minutes);
  p[4] = static_cast<uint8_t>((2 * hours) & 0xFF);
  p[5] = static_cast<uint8_t>((2 * minutes) & 0xFF);
}

void SchreibeZeiten(const Tagesprofil& t, uint8_t* p) {
  PutZeit(p, 2, 3, t.Soll);
  p[293] = static_cast<uint8_t>((t.HatTagWert1 ? 4 : 0) | (t.HatTagWert2 ? 2 : 0) |
                                (t.HatFeiertagszeit ? 1 : 0));
  PutZeit(p, 294, 295, t.TagWert1);
  PutZeit(p, 296, 297, t.TagWert2);
  PutZeit(p, 298, 299, t.Feiertagszeit);
  PutAutoKommen(t, p);
  p[91] = t.HatAutoKommen;
  PutZeit(p, 6, 7, t.Abzug1);
  p[92] = t.HatAbzug1;
  PutZeit(p, 8, 9, t.Abzug2);
  p[94] = t.HatAbzug2;
  p[300] = 1;
  PutZeit(p, 291, 292, t.Tagesende);
  if (t.HatSpanne) {
    PutZeit(p, 155, 156, t.SpanneVon);
    PutZeit(p, 157, 158, t.SpanneBis);
  }
}

void SchreibeRundung(const Tagesprofil& t, uint8_t* p) {
  const uint32_t f = t.RundFlags;
  uint8_t b =
      static_cast<uint8_t>((TimeToMinutes(t.RundRaster) & 0x3F) | (f & 2) << 5 | (f & 4) << 5);
  if (t.RundGehen < 0) b |= 0x80;
  if (t.RundKommen < 0) b |= 0x40;
  p[10] = b;
  const int gehen = std::abs(TimeToMinutes(t.RundGehen)) & 7;
  const int kommen = std::abs(TimeToMinutes(t.RundKommen)) & 7;
  p[93] = static_cast<uint8_t>(gehen << 4 | kommen | ((f & 1) ? 0x88 : 0));
  p[307] = static_cast<uint8_t>((f >> 3) & 3);
}

void SchreibeFenster(const Tagesprofil& t, uint8_t* p) {
  p[110] = t.RundFrei;
  PutZeit(p, 62, 66, t.RundFreiVon);
  PutZeit(p, 70, 74, t.RundFreiBis);
  p[95] = t.HatRahmen;
  PutZeit(p, 11, 13, t.RahmenVon);
  PutZeit(p, 15, 17, t.RahmenBis);
  p[97] = t.HatKernzeit;
  PutZeit(p, 19, 21, t.KernBeginn);
  PutZeit(p, 23, 25, t.KernEnde);
  p[107] = t.HatFenster4;
  PutZeit(p, 59, 63, t.Fenster4Von);
  PutZeit(p, 67, 71, t.Fenster4Bis);
  for (int i = 0; i < kPausenAnzahl; ++i) {
    p[99 + i] = t.Pausen[i].Aktiv;
    PutZeit(p, 27 + i, 31 + i, t.Pausen[i].Von);
    PutZeit(p, 35 + i, 39 + i, t.Pausen[i].Bis);
  }
  for (int i = 0; i < kRegelAnzahl; ++i) {
    p[103 + i] = static_cast<uint8_t>(t.Regeln[i].Typ & 0xFF);
    PutZeit(p, 43 + i, 47 + i, t.Regeln[i].Von);
    PutZeit(p, 51 + i, 55 + i, t.Regeln[i].Bis);
    PutZeit(p, 287 + i, 163 + i, t.RegelSchwelle[i]);
    p[159 + i] = MinutenByte(t.RegelMinuten[i]);
  }
  for (int i = 0; i < 4; ++i) {
    const TFensterC& c = t.FensterC[i];
    p[111 + i] = static_cast<uint8_t>(c.Param1 & 0xFF);
    p[301 + i] = static_cast<uint8_t>(c.Param2 & 0xFF);
    PutZeit(p, 75 + i, 79 + i, c.Von);
    PutZeit(p, 83 + i, 87 + i, c.Bis);
  }
  for (int i = 0; i < 2; ++i) {
    const TFensterC& c = t.FensterC[4 + i];
    p[108 + i] = static_cast<uint8_t>(c.Param1 & 0xFF);
    p[305 + i] = static_cast<uint8_t>(c.Param2 & 0xFF);
    PutZeit(p, 60 + i, 64 + i, c.Von);
    PutZeit(p, 68 + i, 72 + i, c.Bis);
  }
  for (int i = 1; i <= kKontofensterAnzahl; ++i) {
    const TKontofenster& k = t.Kontofenster[i - 1];
    p[246 + i] = k.Art;
    stored::PutI16(p, 165 + 2 * i, static_cast<int16_t>(TimeToMinutes(k.Von)));
    stored::PutI16(p, 205 + 2 * i, static_cast<int16_t>(TimeToMinutes(k.Bis)));
    p[266 + i] = MinutenByte(k.Minuten);
  }
}

void SchreibeProfil(const Tagesprofil& t, uint8_t* p) {
  // Recomputed from the times: the day reaches beyond midnight.
  stored::PutI16(p, 0, (t.SpanneVon < 0 || t.Tagesende > 1.0) ? 1 : 0);
  SchreibeZeiten(t, p);
  SchreibeRundung(t, p);
  SchreibeFenster(t, p);
}

std::string DatumText(const ModellVersion& v) {
  uint16_t jahr = 0;
  uint16_t monat = 0;
  uint16_t tag = 0;
  DecodeDate(v.SortDatum, &jahr, &monat, &tag);
  if (v.JedesJahr) tag = static_cast<uint16_t>(JaehrlicherTag(monat, tag));
  const std::string mmdd = ZeroPad(monat, 2) + ZeroPad(tag, 2);
  return v.JedesJahr ? "0000" + mmdd : ZeroPad(jahr, 4) + mmdd;
}

int32_t GanzerTag(double t) {
  if (!std::isfinite(t) || t <= -2147483648.0 || t >= 2147483648.0) return 0;
  return static_cast<int32_t>(t);
}

}  // namespace

std::string ModellName(const ModellVersion& version) {
  return stored::GetShortString(version.Name, 0, kNameCapacity);
}

void SetModellName(ModellVersion& version, const std::string& name) {
  std::memset(version.Name, 0, sizeof version.Name);
  stored::PutShortString(version.Name, 0, kNameCapacity, name);
}

void ModellRawToObject(uint8_t* raw, ModellVersion& version, int32_t nummer,
                       const TModellKontext& kontext) {
  std::memset(&version, 0, sizeof version);
  version.Nummer = nummer;
  std::string name = stored::GetShortString(raw, kNameOffset, kNameCapacity);
  kontext.locale.ConvertOemToAnsi(name.data(), name.data(), name.size());
  SetModellName(version, Trim(name));
  LeseDatum(raw, version, kontext.jahr);
  for (int n = 0; n < kProfilAnzahl; ++n) {
    Tagesprofil t{};
    LeseProfil(raw + kModellProfilOffset + n * kModellProfilSize, t, kontext.konten);
    version.Profil[n] = t;
  }
}

void ModellObjectToRaw(const ModellVersion& version, uint8_t* raw, platform::Locale& locale) {
  std::memset(raw, 0, kModellRawSize);
  std::string name = ModellName(version);
  locale.ConvertAnsiToOem(name.data(), name.data(), name.size());
  stored::PutShortString(raw, kNameOffset, kNameCapacity, name);
  stored::PutShortString(raw, kDatumOffset, kDatumCapacity, DatumText(version));
  stored::PutShortString(raw, kMarkerOffset, sizeof kMarker - 1, kMarker);
  stored::PutI32(raw, kTagNummerOffset, GanzerTag(version.StartDatum));
  for (int n = 0; n < kProfilAnzahl; ++n) {
    const Tagesprofil t = version.Profil[n];
    SchreibeProfil(t, raw + kModellProfilOffset + n * kModellProfilSize);
  }
}

}  // namespace qrv
