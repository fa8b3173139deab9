// A second, independent evaluation of one day, written from the rules in whole minutes with none
// of the engine's code: the randomized day test compares the engine against it. It covers days
// whose times all lie on whole minutes, and leaves out what it cannot state plainly (sum
// accounts, accounts of kind 6, break rules over windows of accounts of kinds 1 and 3).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "config/fehlzeiten.h"
#include "config/konto_defs.h"
#include "master/bervor_record.h"
#include "master/modell_version.h"
#include "month/monat_daten.h"

namespace qrv::referenz {

// Minutes from the day's midnight.
using Min = int64_t;
inline constexpr Min kOffen = int64_t{1} << 40;

struct Eintrag {
  Min t = 0;
  int art = 0;
  int code1 = 0;
  int code2 = 0;
};

struct Tagesdaten {
  const Tagesprofil* profil = nullptr;
  const TBerVorRecord* vorlage = nullptr;
  const TKontoDefs* konten = nullptr;
  const TFehlzeiten* fehlzeiten = nullptr;
  const TMonatTag* tag = nullptr;  // the day as stored
  TDateTime datum = 0;
  bool feiertag = false;     // a switched-on public holiday
  Min jetzt = 0;             // now, from the day's midnight
  Min fensterVon = -kOffen;  // the evaluation window; -kOffen: open
  Min fensterBis = kOffen;
};

struct Ergebnis {
  std::vector<Eintrag> paare;
  uint16_t status = 0;
  std::array<Min, kTagErgebnisse + 1> te{};  // te[1..60]
  bool teGesetzt[kTagErgebnisse + 1] = {};   // which positions the evaluation wrote
  std::array<Min, kTagKonten + 1> tke{};     // TagKontoErgebnis[1..5]
  bool vollstaendig = false;                 // the steps after the break windows ran
  int arbeitstag = 0;
  int feiertag = 0;
  double anteilA = 0;
  double anteilB = 0;
};

Ergebnis Auswerten(const Tagesdaten& d);

}  // namespace qrv::referenz
