// ModellVersion and Tagesprofil: one dated version of a working-time model as the rest of the
// library uses it (the object record of the model file). All times are day fractions relative
// to the start of the day; a time above 1 lies on the next day.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "util/datetime.h"

namespace qrv {

// Profiles 1 to 7 are Monday to Sunday, 8 the public holiday.
inline constexpr int kProfilAnzahl = 8;
inline constexpr int kProfilFeiertag = 8;
inline constexpr int kPausenAnzahl = 4;
inline constexpr int kRegelAnzahl = 4;
inline constexpr int kFensterCAnzahl = 6;
inline constexpr int kKontofensterAnzahl = 20;

#pragma pack(push, 1)

struct TZeitfenster {
  bool Aktiv;
  TDateTime Von;
  TDateTime Bis;
};

// An automatic break rule: bits 0-1 of Typ its kind (1 to 3), bits 2-3 the presence it is
// measured on; 0 is off.
struct TPausenRegel {
  int16_t Typ;
  TDateTime Von;
  TDateTime Bis;
};

// Window C: in use when Param1 is not 0.
struct TFensterC {
  int16_t Param1;
  int16_t Param2;
  TDateTime Von;
  TDateTime Bis;
};

// Time in [Von, Bis] goes to the account; Art is the account's kind when the model was read.
struct TKontofenster {
  TDateTime Von;
  TDateTime Bis;
  uint8_t Art;
  TDateTime Minuten;
};

struct Tagesprofil {
  bool Mitternacht;
  TDateTime Soll;
  bool HatTagWert1;
  TDateTime TagWert1;
  bool HatTagWert2;
  TDateTime TagWert2;
  bool HatFeiertagszeit;
  TDateTime Feiertagszeit;
  bool HatAutoKommen;
  TDateTime AutoKommen;
  bool HatTagesende;
  TDateTime Tagesende;
  bool HatAbzug1;
  TDateTime Abzug1;
  bool HatAbzug2;
  TDateTime Abzug2;
  // Bit 0 rounding on, 1 comings down, 2 goings down, 3 only the first coming, 4 only the last
  // going.
  uint32_t RundFlags;
  TDateTime RundRaster;
  TDateTime RundGehen;
  TDateTime RundKommen;
  bool RundFrei;
  TDateTime RundFreiVon;
  TDateTime RundFreiBis;
  bool HatRahmen;
  TDateTime RahmenVon;
  TDateTime RahmenBis;
  bool HatKernzeit;
  TDateTime KernBeginn;
  TDateTime KernEnde;
  bool HatSpanne;
  TDateTime SpanneVon;
  TDateTime SpanneBis;
  TZeitfenster Pausen[kPausenAnzahl];
  TPausenRegel Regeln[kRegelAnzahl];
  TDateTime RegelSchwelle[kRegelAnzahl];
  TDateTime RegelMinuten[kRegelAnzahl];
  bool HatFenster4;
  TDateTime Fenster4Von;
  TDateTime Fenster4Bis;
  TFensterC FensterC[kFensterCAnzahl];
  TKontofenster Kontofenster[kKontofensterAnzahl];
  uint8_t Reserve[8];
};

struct ModellVersion {
  uint8_t Name[51];  // length byte and up to 50 characters, ANSI
  int32_t Nummer;    // version k of model m: k * 1000 + m
  TDateTime SortDatum;
  TDateTime StartDatum;
  bool JedesJahr;
  Tagesprofil Profil[kProfilAnzahl];  // Profil[0] is profile 1 (Monday)
};

#pragma pack(pop)

static_assert(sizeof(Tagesprofil) == 1017);
static_assert(sizeof(ModellVersion) == 8208);
static_assert(std::is_trivially_copyable_v<ModellVersion>);

// The day of month on which a version recurring every year starts: 29 February counts as
// 28 February, a day every year has, so the version starts on the same day in leap and common
// years and its stored date text stays readable in every year.
inline int JaehrlicherTag(int monat, int tag) {
  return monat == 2 && tag == 29 ? 28 : tag;
}

}  // namespace qrv
