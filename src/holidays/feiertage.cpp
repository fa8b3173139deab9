#include "holidays/feiertage.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "holidays/feiertag_file.h"
#include "util/bits.h"
#include "util/errors.h"
#include "util/texts.h"

namespace qrv {

namespace {

struct Standard {
  const char* name;
  uint16_t tag;
  uint16_t monat;  // 0: moves with Easter or the weekday
};

// Types 1 to 19 in order.
constexpr std::array<Standard, kFeiertypMax> kStandard = {{
    {"Neujahr", 1, 1},
    {"Heilige Drei K\xF6nige", 6, 1},
    {"Karfreitag", 0, 0},
    {"Ostersonntag", 0, 0},
    {"Ostermontag", 0, 0},
    {"Maifeiertag", 1, 5},
    {"Christi Himmelfahrt", 0, 0},
    {"Pfingstsonntag", 0, 0},
    {"Pfingstmontag", 0, 0},
    {"Fronleichnam", 0, 0},
    {"Mari\xE4 Himmelfahrt", 15, 8},
    {"Tag der dt. Einheit", 3, 10},
    {"Reformationstag", 31, 10},
    {"Allerheiligen", 1, 11},
    {"Bu\xDF-und Bettag", 0, 0},
    {"Heiligabend", 24, 12},
    {"1. Weihnachtstag", 25, 12},
    {"2. Weihnachtstag", 26, 12},
    {"Silvester", 31, 12},
}};

// Days after Easter Sunday of the moveable holidays; -1000 for the others.
int EasterOffset(TFeiertyp typ) {
  switch (typ) {
    case ftKarfreitag:
      return -2;
    case ftOstersonntag:
      return 0;
    case ftOstermontag:
      return 1;
    case ftChristiHimmelfahrt:
      return 39;
    case ftPfingstsonntag:
      return 49;
    case ftPfingstmontag:
      return 50;
    case ftFronleichnam:
      return 60;
    default:
      return -1000;
  }
}

// The Wednesday before 23 November: 16 to 22 November.
TDateTime BussUndBettag(uint16_t jahr) {
  const TDateTime nov23 = EncodeDate(jahr, 11, 23);
  const int back = (DayOfWeek(nov23) - 4 + 7) % 7;
  return nov23 - (back == 0 ? 7 : back);
}

bool TypFest(TFeiertyp typ) {
  return typ != ftBussUndBettag && EasterOffset(typ) == -1000;
}

}  // namespace

std::string FeiertagName(int typ) {
  if (typ < 1 || typ > kFeiertypMax) return "";
  return kStandard[typ - 1].name;
}

TFeiertage::TFeiertage(const platform::Platform& platform) : platform_(platform) {
  jahr_ = YearOfDate(platform_.clock->Now());
  ostern_ = BerechneOstern(jahr_);
  // The final set first, so that the additions below leave it as it is.
  feiertage_ = kFeiertageStandard;
  for (int t = 1; t <= kFeiertypMax; ++t) {
    const Standard& s = kStandard[t - 1];
    AddFeiertag(static_cast<TFeiertyp>(t), s.name, s.tag, s.monat, BitSet(kFeiertageStandard, t));
  }
}

std::string TFeiertage::KeyOf(const TFeierObj& f) const {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02X%02X", f.Monat & 0xFF, f.Tag & 0xFF);
  return prefix + f.Name;
}

size_t TFeiertage::Position(const std::string& key, bool* found) const {
  size_t lo = 0;
  size_t hi = liste_.size();
  *found = false;
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    const int c = platform_.locale->CompareText(liste_[mid].key, key);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
      if (c == 0) *found = true;
    }
  }
  return lo;
}

void TFeiertage::AddFeiertag(TFeiertyp typ, const std::string& name, uint16_t tag, uint16_t monat,
                             bool aktiv) {
  auto f = std::make_unique<TFeierObj>();
  f->Typ = typ;
  f->Name = Trim(name);
  f->Tag = tag;
  f->Monat = monat;
  f->Aktiv = aktiv;
  uint16_t jahr = jahr_;
  f->Datum = BerechneDatum(typ, jahr, f->Tag, f->Monat);
  std::string key = KeyOf(*f);
  bool found = false;
  const size_t at = Position(key, &found);
  if (!found) liste_.insert(liste_.begin() + static_cast<std::ptrdiff_t>(at), {key, std::move(f)});
  if (typ != ftFest && typ <= kFeiertypMax) {
    TFeiertypen set = feiertage_;
    if (aktiv) {
      SetBit32(set, typ);
    } else {
      ClearBit32(set, typ);
    }
    SetFeiertage(set);
  }
}

TFeierObj& TFeiertage::GetFeierObj(int32_t index) const {
  if (index < 0 || index >= Count()) {
    RaiseListIndex(index);
  }
  return *liste_[index].obj;
}

const std::string& TFeiertage::Key(int32_t index) const {
  GetFeierObj(index);
  return liste_[index].key;
}

TFeierObj& TFeiertage::FindFeierObj(TFeiertyp typ, uint16_t tag, uint16_t monat) const {
  for (const Eintrag& e : liste_) {
    if (e.obj->Typ == typ && (typ != ftFest || (e.obj->Tag == tag && e.obj->Monat == monat))) {
      return *e.obj;
    }
  }
  throw Exception(kMsgFeiertagUndefiniert);
}

void TFeiertage::SetAktiv(TFeiertyp typ, uint16_t tag, uint16_t monat, bool aktiv) {
  FindFeierObj(typ, tag, monat).Aktiv = aktiv;
  if (typ == ftFest) return;
  TFeiertypen set = feiertage_;
  if (aktiv) {
    SetBit32(set, typ);
  } else {
    ClearBit32(set, typ);
  }
  SetFeiertage(set);
}

void TFeiertage::SetFeiertage(TFeiertypen value) {
  if (value == feiertage_) return;
  feiertage_ = value;
  for (int t = 1; t <= kFeiertypMax; ++t)
    SetAktiv(static_cast<TFeiertyp>(t), 0, 0, BitSet(value, t));
}

void TFeiertage::SetJahr(uint16_t value) {
  if (value == jahr_) return;
  try {
    DoJahr(value);
  } catch (const std::exception&) {
    // The year changes whatever the loading of its choices did.
  }
  jahr_ = value;
  BerechneJahr(value);
}

void TFeiertage::DoJahr(uint16_t neuJahr) {
  if (OnJahr) OnJahr(*this, neuJahr);
}

TDateTime TFeiertage::BerechneOstern(uint16_t jahr) {
  int m = 24;
  int n = 4;
  if (jahr >= 1800 && jahr <= 1899) {
    m = 23;
    n = 4;
  } else if (jahr >= 1900 && jahr <= 2099) {
    n = 5;
  } else if (jahr >= 2100 && jahr <= 2199) {
    n = 6;
  }
  const int a = jahr % 19;
  const int b = jahr % 4;
  const int c = jahr % 7;
  const int d = (19 * a + m) % 30;
  const int e = (2 * b + 4 * c + 6 * d + n) % 7;
  int tag = 22 + d + e;
  if (tag <= 31) return EncodeDate(jahr, 3, tag);
  tag = d + e - 9;
  if (tag == 26) tag = 19;
  if (d == 28 && e == 6 && a >= 10 && tag == 25) tag = 18;
  return EncodeDate(jahr, 4, tag);
}

TDateTime TFeiertage::BerechneDatum(TFeiertyp typ, uint16_t& jahr, uint16_t& tag,
                                    uint16_t& monat) const {
  TDateTime datum = 0;
  if (typ == ftBussUndBettag) {
    datum = BussUndBettag(jahr);
  } else if (!TypFest(typ)) {
    datum = ostern_ + EasterOffset(typ);
  } else if (!TryEncodeDate(jahr, monat, tag, &datum)) {
    // An own holiday on 29 February falls only in leap years; anything else is no date at all.
    if (typ == ftFest && tag == 29 && monat == 2) return kKeinDatum;
    datum = EncodeDate(jahr, monat, tag);
  }
  DecodeDate(datum, &jahr, &monat, &tag);
  return datum;
}

void TFeiertage::BerechneJahr(uint16_t jahr) {
  ostern_ = BerechneOstern(jahr);
  for (Eintrag& e : liste_) {
    uint16_t j = jahr;
    e.obj->Datum = BerechneDatum(e.obj->Typ, j, e.obj->Tag, e.obj->Monat);
    e.key = KeyOf(*e.obj);
  }
  std::stable_sort(liste_.begin(), liste_.end(), [this](const Eintrag& a, const Eintrag& b) {
    return platform_.locale->CompareText(a.key, b.key) < 0;
  });
}

bool TFeiertage::FindeFeiertag(TDateTime datum, bool& aktiv, TFeiertyp& typ) {
  aktiv = false;
  typ = ftFest;
  const uint16_t jahr = YearOfDate(datum);
  // A value outside the years 1 to 9999 is no date of any calendar year.
  if (jahr == 0) return false;
  SetJahr(jahr);
  for (const Eintrag& e : liste_) {
    if (e.obj->Datum == datum) {
      aktiv = e.obj->Aktiv;
      typ = e.obj->Typ;
      return true;
    }
  }
  return false;
}

bool TFeiertage::IstFeiertag(TDateTime datum) {
  bool aktiv = false;
  TFeiertyp typ = ftFest;
  FindeFeiertag(datum, aktiv, typ);
  return aktiv;
}

void TFeiertage::RemoveOwnHolidays() {
  for (size_t i = liste_.size(); i-- > 0;) {
    if (liste_[i].obj->Typ == ftFest) liste_.erase(liste_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

void TFeiertage::LoadFromFile(const std::string& fileName) {
  TFeiertagText text = TFeiertagText::Open(*platform_.files, fileName);
  LoadFromText(text);
}

void TFeiertage::LoadFromText(TFeiertagText& text) {
  RemoveOwnHolidays();
  SetFeiertage(static_cast<TFeiertypen>(text.ReadInt()));
  text.SkipLine();
  const int32_t n = text.ReadInt();
  text.SkipLine();
  for (int32_t i = 0; i < n; ++i) {
    const int32_t tag = text.ReadInt();
    const int32_t monat = text.ReadInt();
    const int32_t schalter = text.ReadInt();
    const std::string name = text.ReadRest();
    text.SkipLine();
    // A day or month beyond any calendar must not wrap into a valid one.
    if (tag < 0 || tag > 31 || monat < 0 || monat > 12) EncodeDate(0, 0, 0);
    AddFeiertag(ftFest, name, static_cast<uint16_t>(tag), static_cast<uint16_t>(monat),
                schalter != 0);
  }
}

}  // namespace qrv
