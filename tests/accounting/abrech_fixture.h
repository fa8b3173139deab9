// An installation on disk for the accounting driver's tests: settings with the permitted years
// 2003 to 2005, model 1 (every profile empty: no target, no rounding, no breaks), plan template
// 1001 on model 1, calculation template 1 as the test sets it, and person 7 "Muster, Erika" with
// recording from 1 January 2003. Months use the full layout. The clock stands at 1 February 2006
// 12:00 unless a test moves it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "accounting/mon_abrech.h"
#include "config/konfig.h"
#include "holidays/feiertage.h"
#include "master/bervor.h"
#include "master/bervor_record.h"
#include "master/modell_file.h"
#include "master/person.h"
#include "month/monat.h"
#include "month/monat_file.h"
#include "plans/plan_file.h"
#include "plans/planvorlage.h"
#include "support/doubles.h"
#include "util/datetime.h"

namespace qrv::testing {

// h:mm as a day fraction, by division as the installation forms it.
inline double Std(int h, int m = 0) {
  return MinutesToTime(h * 60 + (h < 0 ? -m : m));
}

// A host that runs the interactive application's main window.
class HauptfensterHost final : public platform::HostProcess {
 public:
  std::string ExecutablePath() override { return "/opt/zeit/zeit.exe"; }
  std::string FirstParameter() override { return ""; }
  bool RunsMainWindow() override { return true; }
};

class AbrechFixture : public ::testing::Test {
 protected:
  static constexpr int32_t kPers = 7;

  AbrechFixture() : konfig(tp.Get(), reported) {
    tp.clock.SetNow(EncodeDate(2006, 2, 1) + 0.5);
    plattform = tp.Get();
    hauptPlattform = tp.Get();
    hauptPlattform.host = &mainHost;
    konfig.DataPath = data.Path();
    konfig.VerwJahreMin = 2003;
    konfig.VerwJahreMax = 2005;
    konfig.VerwStart = EncodeDate(2003, 1, 1);
    konfig.VerwEnd = EncodeDate(2005, 12, 31);
    for (int konto : {-7, -6}) {
      KontoDef def = konfig.KontoDefs.Konto(konto);
      def.Wert = 10;
      konfig.KontoDefs.SetKonto(konto, def);
    }
    kmonat = std::make_unique<TKMonatFile>(tp.Get(), konfig);
    gmonat = std::make_unique<TGMonatFile>(tp.Get(), konfig);
    mplan = std::make_unique<TMPlanFile>(tp.Get(), konfig);
    splan = std::make_unique<TSPlanFile>(tp.Get(), konfig);
    planvorl = std::make_unique<TPlanvorlFile>(tp.Get(), konfig);
    modelle = std::make_unique<TModellFile>(tp.Get(), konfig);
    kalender = std::make_unique<TFeiertage>(tp.Get());
    bervor = std::make_unique<TBerVorFile>(tp.Get(), konfig);
    const char sep = platform::kPathSeparator;
    tp.files.CreateFolders(data.Path() + "SCHMOD" + sep);
    tp.files.CreateFolders(data.Path() + "SCHPLAN" + sep);
    // Model 1 from 1 January 2000: name, start date, eight empty profiles.
    std::string modell(3000, '\0');
    modell[0] = 4;
    modell.replace(1, 4, "Null");
    modell[51] = 8;
    modell.replace(52, 8, "20000101");
    WriteFileBytes(data.Path() + "SCHMOD" + sep + "SMOD1.DAT", modell);
    // Plan template 1001: kind 0, model 1, a list of one model 1.
    std::string plan(858, '\0');
    plan[0] = 4;
    plan.replace(1, 4, "Eins");
    plan[93] = 1;
    plan[491] = 1;
    plan[494] = 1;
    WriteFileBytes(data.Path() + "SCHPLAN" + sep + "GSPL1001.DAT", plan);
    VorlageSchreiben();
    person.Rec.PersNr = kPers;
    SetShort(person.Rec.Name, "Muster");
    SetShort(person.Rec.Vorname, "Erika");
    person.Rec.BerVorNr = 1;
    person.Rec.VorlageNr = 1001;
    person.Rec.Eintritt = EncodeDate(2003, 1, 1);
    person.Rec.VorlageAb = EncodeDate(2003, 1, 1);
    person.Rec.Jahreswert = 30;
    person.Rec.Eintrittswert = 2.5;
  }

  // The objects an engine works with; main: the host runs the main window.
  TAbrechUmgebung Umgebung(bool main = false) {
    return TAbrechUmgebung{main ? hauptPlattform : plattform,
                           konfig,
                           *gmonat,
                           {*mplan, *splan, *planvorl, *modelle, *kalender},
                           *bervor,
                           &bemerkSlot,
                           *kalender,
                           nullptr};
  }
  // Writes the calculation template 1 from vorlage.
  void VorlageSchreiben() {
    std::string raw(kBerVorSize, '\0');
    BerVorObjectToRaw(vorlage, reinterpret_cast<uint8_t*>(raw.data()));
    WriteFileBytes(data.Path() + "SCHPLAN" + platform::kPathSeparator + "BVOR1.DAT", raw);
  }
  // Loads the stored month of person 7, lets edit change it and stores it again.
  template <class Edit>
  void MonatAendern(int jahr, int monat, Edit&& edit) {
    TMonat m(*gmonat);
    m.Laden(jahr, monat, true, kPers);
    edit(m.Daten);
    m.Speichern();
  }
  // Stores plain bookings on a day: (hours, minutes) pairs, comings and goings alternating.
  void Buchen(int jahr, int monat, int tag, std::initializer_list<std::pair<int, int>> zeiten) {
    MonatAendern(jahr, monat, [&](TMonatDaten& d) {
      TMonatTag& t = d.Tag(tag);
      for (const auto& [h, m] : zeiten) {
        TBuchung b{};
        b.Zeit = EncodeDate(jahr, monat, tag) + Std(h, m);
        t.Buchungen[t.AnzBuchungen++] = b;
      }
    });
  }
  // The stored month of person 7, read through a fresh month file.
  std::unique_ptr<TMonat> Gespeichert(int jahr, int monat) {
    frisch = std::make_unique<TGMonatFile>(tp.Get(), konfig);
    auto m = std::make_unique<TMonat>(*frisch);
    m->Laden(jahr, monat, false, kPers);
    return m;
  }
  // A fresh engine on person over the fixture's installation.
  std::unique_ptr<TMonAbrech> Engine(bool main = false) {
    auto engine = std::make_unique<TMonAbrech>(Umgebung(main));
    engine->Person = &person;
    return engine;
  }

  TempFolder data;
  TestPlatform tp;
  HauptfensterHost mainHost;
  platform::Platform plattform{};
  platform::Platform hauptPlattform{};
  bool reported = false;
  TKonfig konfig;
  std::unique_ptr<TKMonatFile> kmonat;
  std::unique_ptr<TGMonatFile> gmonat;
  std::unique_ptr<TMPlanFile> mplan;
  std::unique_ptr<TSPlanFile> splan;
  std::unique_ptr<TPlanvorlFile> planvorl;
  std::unique_ptr<TModellFile> modelle;
  std::unique_ptr<TFeiertage> kalender;
  std::unique_ptr<TBerVorFile> bervor;
  std::unique_ptr<TGMonatFile> frisch;
  TFile* bemerkSlot = nullptr;
  TBerVorRecord vorlage{};
  TPerson person;
};

}  // namespace qrv::testing
