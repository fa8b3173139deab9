// An installation on disk for the queries' tests, and the library's objects started on it: model
// 1 "Normal" (Monday to Friday a target of 8:00, the break window 12:00-12:45 switched on, the
// automatic clock-out at 23:59, no rounding), calculation template 1 that counts "Eintragung
// fehlt" as an error, and person 7 recording from 1 January 2003. The clock stands at Sunday
// 20 June 2004, 12:00. A test writes what it needs, then starts the library (Lib).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib/library.h"
#include "master/tag_status.h"
#include "queries/abfrage.h"
#include "queries/auftag.h"
#include "support/abfrage_installation.h"
#include "support/doubles.h"

namespace qrv::testing {

class AbfrageFixture : public ::testing::Test {
 protected:
  static constexpr int32_t kPers = 7;

  AbfrageFixture() {
    tp.clock.SetNow(EncodeDate(2004, 6, 20) + Uhr(12));
    const std::string key = "Software\\Quorvane\\Installation";
    tp.registry.CreateKey(platform::RegRoot::kCurrentUser, key);
    tp.registry.SetValue(platform::RegRoot::kCurrentUser, key, "DataPath",
                         {platform::kRegSz, data.Path() + '\0'});
    inst = std::make_unique<AbfrageInstallation>(tp.Get(), data.Path());
    werktag.Soll = Uhr(8);
    werktag.HatTagesende = true;
    werktag.Tagesende = Uhr(23, 59);
    werktag.Pausen[0] = {true, Uhr(12), Uhr(12, 45)};
    vorlage.Fehler = kStatusFehlt;
  }

  ~AbfrageFixture() override { StopLibrary(); }

  // Writes model 1 from werktag, template 1 from vorlage and person 7 from eintritt.
  void Schreiben() {
    inst->Modell(1, "Normal", werktag);
    inst->Vorlage(1, vorlage);
    inst->Person(kPers, 1, 1, eintritt);
  }
  // Writes, then builds the library's objects on the installation.
  TBibliothek& Lib() {
    if (!lib) {
      Schreiben();
      lib = std::make_unique<TBibliothek>(tp.Get());
      umgebung = std::make_unique<TAbfrageUmgebung>(lib->Abfrage());
    }
    return *lib;
  }
  // Writes, then starts the library as the loader does, for the exports.
  void Starten() {
    Schreiben();
    ASSERT_TRUE(StartLibrary(tp.Get()));
  }
  const TAbfrageUmgebung& Umgebung() {
    Lib();
    return *umgebung;
  }
  void Buchen(int tag, std::initializer_list<double> zeiten, int monat = 6) {
    inst->Buchen(kPers, 2004, monat, tag, zeiten);
  }

  TempFolder data;
  TestPlatform tp;
  std::unique_ptr<AbfrageInstallation> inst;
  Tagesprofil werktag{};
  TBerVorRecord vorlage{};
  TDateTime eintritt = EncodeDate(2003, 1, 1);
  std::unique_ptr<TBibliothek> lib;
  std::unique_ptr<TAbfrageUmgebung> umgebung;
};

// The items of an enumeration as a caller sees them.
inline std::vector<TAuftagItem> Items(const TAufTag& a) {
  std::vector<TAuftagItem> items;
  TAuftagItem item;
  for (int32_t i = 0; a.Get(i, item); ++i) items.push_back(item);
  return items;
}

// One expected item; times as day fractions of the day d given to ExpectItems.
struct Soll {
  int art;
  double von, bis, wert;
  std::string text = {};
  bool absolut = false;  // von and bis are 0, not times of the day
};
// An item without times: model, target, rounding, day accounts, remarks.
inline Soll Ohne(int art, double wert, std::string text = {}) {
  return Soll{art, 0, 0, wert, std::move(text), true};
}

inline void ExpectItems(const std::vector<TAuftagItem>& ist, TDateTime d,
                        const std::vector<Soll>& soll) {
  ASSERT_EQ(ist.size(), soll.size());
  for (size_t i = 0; i < soll.size(); ++i) {
    SCOPED_TRACE("item " + std::to_string(i));
    const Soll& s = soll[i];
    const double basis = s.absolut ? 0 : d;
    EXPECT_EQ(ist[i].Art, s.art);
    EXPECT_NEAR(ist[i].Von, basis + s.von, 1e-9);
    EXPECT_NEAR(ist[i].Bis, basis + s.bis, 1e-9);
    EXPECT_NEAR(ist[i].Wert, s.wert, 1e-9);
    EXPECT_EQ(ist[i].Text, s.text);
  }
}

}  // namespace qrv::testing
