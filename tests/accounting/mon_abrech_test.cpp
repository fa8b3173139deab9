// The accounting engine over an installation on disk: the range walk, the month periods, the
// carry-over from month to month, the messages, and what an accounted month leaves on disk.
#include "accounting/mon_abrech.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>
#include <string>
#include <vector>

#include "abrech_fixture.h"
#include "accounting/reorg.h"
#include "accounting/tag_ergebnis.h"
#include "files/file_io.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::AbrechFixture;
using testing::ReadFileBytes;
using testing::Std;
using testing::TreeOf;

class MonAbrechTest : public AbrechFixture {
 protected:
  std::string Reorg() const { return data.Path() + kReorgDatei; }
  // The message of the error that run raises; empty when it raises none.
  template <class Run>
  static std::string Fehler(Run&& run) {
    try {
      run();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "";
  }
};

double Summe(const TMonErgebnis& block, int index) {
  return block.Werte[ErgebnisPosition(index)];
}

constexpr char kKopfMaerz[] =
    "Fehler bei Monatsabrechnung 03.2004\r\n"
    "Muster, E.\r\n";

// --- Range evaluation ---

TEST_F(MonAbrechTest, RangeWalksOneDayMoreOnEachSideAndCountsPresenceInTheRangeOnly) {
  for (int tag = 8; tag <= 14; ++tag) Buchen(2004, 3, tag, {{8, 0}, {12, 0}});
  auto abrech = Engine();
  TMonErgebnis block;
  std::memset(static_cast<void*>(&block), 0x7F, sizeof block);
  abrech->Bereich(block, true, EncodeDate(2004, 3, 10), EncodeDate(2004, 3, 12) + Std(23, 59));
  EXPECT_EQ(abrech->Von, EncodeDate(2004, 3, 9));
  EXPECT_DOUBLE_EQ(abrech->Bis, EncodeDate(2004, 3, 13) + Std(23, 59));
  for (int tag = 8; tag <= 14; ++tag) {
    const bool gelaufen = tag >= 9 && tag <= 13;
    EXPECT_EQ(abrech->AktMonat.Daten.Tag(tag).AnzPaare, gelaufen ? 2 : 0) << tag;
  }
  // Presence inside the window: the 10th to the 12th; worked time: all five days walked.
  EXPECT_DOUBLE_EQ(Summe(block, tpAnwesenheit), Std(12));
  EXPECT_DOUBLE_EQ(Summe(block, tpArbeitszeit), Std(20));
}

TEST_F(MonAbrechTest, RangeAcrossAMonthEndMovesOnToTheNextMonth) {
  Buchen(2004, 3, 31, {{8, 0}, {10, 0}});
  Buchen(2004, 4, 1, {{8, 0}, {11, 0}});
  auto abrech = Engine();
  TMonErgebnis block{};
  abrech->Bereich(block, true, EncodeDate(2004, 3, 31), EncodeDate(2004, 4, 1) + Std(23, 59));
  EXPECT_EQ(abrech->AktMonat.KeyB, 4);
  EXPECT_EQ(abrech->Vormonat.KeyB, 3);
  EXPECT_EQ(abrech->Vormonat.Daten.Tag(31).AnzPaare, 2);
  EXPECT_DOUBLE_EQ(Summe(block, tpAnwesenheit), Std(5));
}

// A range reaching far beyond the permitted years walks only them: the sums are those of the
// permitted days, and no month of an unmanaged year comes into the folder.
TEST_F(MonAbrechTest, ALongRangeWalksOnlyThePermittedYears) {
  person.Rec.Eintritt = EncodeDate(1990, 1, 1);
  Buchen(2003, 1, 2, {{8, 0}, {10, 0}});
  Buchen(2005, 12, 31, {{8, 0}, {9, 0}});
  auto abrech = Engine();
  TMonErgebnis block{};
  abrech->Bereich(block, true, EncodeDate(1950, 1, 1), EncodeDate(2049, 12, 31));
  EXPECT_EQ(abrech->Von, EncodeDate(2003, 1, 1));
  EXPECT_EQ(abrech->Bis, EncodeDate(2005, 12, 31));
  EXPECT_DOUBLE_EQ(Summe(block, tpAnwesenheit), Std(3));
  for (const auto& e : std::filesystem::recursive_directory_iterator(data.Path())) {
    const std::string name = e.path().filename().string();
    EXPECT_EQ(name.find("2006"), std::string::npos) << e.path();
    EXPECT_EQ(name.find("2002"), std::string::npos) << e.path();
  }
}

TEST_F(MonAbrechTest, RangesOutsideTheRecordingTimeAndThePermittedYearsFail) {
  struct Case {
    const char* label;
    TDateTime eintritt, austritt, von, bis;
    std::string meldung;
  };
  const Case cases[] = {
      {"before Eintritt", EncodeDate(2004, 6, 1), 0, EncodeDate(2004, 3, 1), EncodeDate(2004, 3, 5),
       std::string(kKopfMaerz) + "Monat vor Zeiterfassungsbeginn"},
      {"before the first permitted year", 0, 0, EncodeDate(2002, 3, 1), EncodeDate(2002, 3, 5),
       "Fehler bei Monatsabrechnung 03.2002\r\nMuster, E.\r\nMonat vor 2003"},
      {"after Austritt", EncodeDate(2003, 1, 1), EncodeDate(2004, 1, 31), EncodeDate(2004, 3, 1),
       EncodeDate(2004, 3, 5), std::string(kKopfMaerz) + "Monat nach Zeiterfassungsende"},
      {"after VerwJahreMax", EncodeDate(2003, 1, 1), 0, EncodeDate(2006, 3, 1),
       EncodeDate(2006, 3, 5),
       "Fehler bei Monatsabrechnung 03.2006\r\nMuster, E.\r\nMonat nach 2005"},
  };
  for (const Case& c : cases) {
    person.Rec.Eintritt = c.eintritt;
    person.Rec.Austritt = c.austritt;
    auto abrech = Engine();
    TMonErgebnis block{};
    EXPECT_EQ(Fehler([&] { abrech->Bereich(block, true, c.von, c.bis); }), c.meldung) << c.label;
  }
}

// --- Month periods ---

TEST_F(MonAbrechTest, MonthEndOn25thAccountsFrom26thOfTheMonthBefore) {
  vorlage.MonatsEnde = 25;
  VorlageSchreiben();
  Buchen(2004, 3, 25, {{8, 0}, {9, 0}});
  Buchen(2004, 3, 26, {{8, 0}, {12, 0}});
  Buchen(2004, 4, 25, {{8, 0}, {11, 0}});
  Buchen(2004, 4, 26, {{8, 0}, {9, 0}});
  auto abrech = Engine();
  abrech->Monatsabrechnung(2004, 3, 28, 0);
  EXPECT_EQ(abrech->Von, EncodeDate(2004, 3, 26));
  EXPECT_EQ(abrech->Bis, EncodeDate(2004, 4, 25));
  EXPECT_EQ(abrech->AktMonat.KeyB, 4);
  EXPECT_EQ(abrech->AktMonat.Daten.BerechnetBis, 25);
  // 26 March was evaluated on March's entries, 25 March not.
  EXPECT_EQ(abrech->Vormonat.Daten.Tag(26).AnzPaare, 2);
  EXPECT_EQ(abrech->Vormonat.Daten.Tag(25).AnzPaare, 0);
  EXPECT_EQ(abrech->AktMonat.Daten.Tag(26).AnzPaare, 0);
  EXPECT_DOUBLE_EQ(Summe(abrech->AktMonat.Daten.MonErgebnis, tpArbeitszeit), Std(7));
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, Std(7));
}

TEST_F(MonAbrechTest, MonthEndBeyondFebruarysLastDayEndsThePeriodThere) {
  vorlage.MonatsEnde = 30;
  VorlageSchreiben();
  auto abrech = Engine();
  abrech->Monatsabrechnung(2004, 3, 0, 0);
  EXPECT_EQ(abrech->Von, EncodeDate(2004, 3, 1));  // the day after 29 February
  EXPECT_EQ(abrech->Bis, EncodeDate(2004, 3, 30));
  abrech->Monatsabrechnung(2004, 2, 0, 0);
  EXPECT_EQ(abrech->Bis, EncodeDate(2004, 2, 29));
  EXPECT_EQ(abrech->AktMonat.Daten.BerechnetBis, 29);
}

TEST_F(MonAbrechTest, APeriodAfterDecember9999LiesAfterThePermittedYears) {
  vorlage.MonatsEnde = 25;
  VorlageSchreiben();
  auto abrech = Engine();
  EXPECT_EQ(Fehler([&] { abrech->Monatsabrechnung(9999, 12, 31, 0); }),
            "Fehler bei Monatsabrechnung 12.9999\r\nMuster, E.\r\nMonat nach 2005");
}

TEST_F(MonAbrechTest, EintrittStartsThePeriodAndDecidesTheCarryAndTheVacationCredit) {
  struct Case {
    const char* label;
    TDateTime eintritt;
    bool uebertrag;
    int monat;
    double saldo, urlaub;
  };
  // The month before holds a balance of 5:00 and 7 vacation days; the 10th is worked 4:00 and the
  // 9th 1:00. Eintrittswert 2.5, Jahreswert 30.
  const Case cases[] = {
      {"Eintritt on the 10th", EncodeDate(2004, 3, 10), false, 3, Std(4), 2.5},
      {"Eintritt on the 10th, carry switch", EncodeDate(2004, 3, 10), true, 3, Std(9), 7},
      {"Eintritt on 1 January", EncodeDate(2004, 1, 1), false, 1, Std(5), 2.5},
      {"January after Eintritt", EncodeDate(2003, 1, 1), false, 1, Std(10), 37},
      {"March after Eintritt", EncodeDate(2003, 1, 1), false, 3, Std(10), 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const int vorJahr = c.monat == 1 ? 2003 : 2004;
    const int vorMonat = c.monat == 1 ? 12 : c.monat - 1;
    MonatAendern(vorJahr, vorMonat, [](TMonatDaten& d) {
      d.MonSaldo = Std(5);
      d.MonAnteilA = 7;
    });
    Buchen(2004, c.monat, 9, {{8, 0}, {9, 0}});
    Buchen(2004, c.monat, 10, {{8, 0}, {12, 0}});
    person.Rec.Eintritt = c.eintritt;
    person.Rec.Uebertrag = c.uebertrag ? 1 : 0;
    auto abrech = Engine();
    abrech->Monatsabrechnung(2004, static_cast<uint16_t>(c.monat), 0, 0);
    EXPECT_EQ(abrech->Von, std::max(c.eintritt, EncodeDate(2004, c.monat, 1)));
    EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, c.saldo);
    EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonAnteilA, c.urlaub);
    // The next case books its month afresh.
    MonatAendern(2004, c.monat,
                 [](TMonatDaten& d) { std::memset(static_cast<void*>(&d), 0, sizeof d); });
  }
}

TEST_F(MonAbrechTest, CurrentMonthStopsAtTheClockOnTheLastDay) {
  tp.clock.SetNow(EncodeDate(2004, 3, 10) + Std(12));
  Buchen(2004, 3, 9, {{8, 0}, {9, 0}});
  Buchen(2004, 3, 10, {{8, 0}, {16, 0}});
  Buchen(2004, 3, 11, {{8, 0}, {16, 0}});
  struct Case {
    const char* label;
    uint8_t optionen2;
    TDateTime bis;
    int berechnetBis;
    double anwesend;
  };
  const Case cases[] = {
      {"up to the current minute", 1, EncodeDate(2004, 3, 10) + Std(12), 10, Std(5)},
      {"up to the end of yesterday", 0, EncodeDate(2004, 3, 10) - SecondsToTime(1), 9, Std(1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    vorlage.Optionen2 = c.optionen2;
    VorlageSchreiben();
    auto abrech = Engine();
    abrech->Monatsabrechnung(0, 0, 0, 0);
    EXPECT_EQ(abrech->Von, EncodeDate(2004, 3, 1));
    EXPECT_DOUBLE_EQ(abrech->Bis, c.bis);
    EXPECT_EQ(abrech->AktMonat.Daten.BerechnetBis, c.berechnetBis);
    EXPECT_EQ(abrech->AktMonat.Daten.Tag(11).AnzPaare, 0);
    // Presence counts up to now on the last day (08:00 to 12:00 of the 10th).
    EXPECT_DOUBLE_EQ(Summe(abrech->AktMonat.Daten.MonErgebnis, tpAnwesenheit), c.anwesend);
  }
}

TEST_F(MonAbrechTest, MonthsOutsideTheRecordingTimeAndThePermittedYearsFail) {
  struct Case {
    const char* label;
    TDateTime eintritt;
    uint16_t jahr, monat, tag;
    std::string meldung;
  };
  const Case cases[] = {
      {"before Eintritt", EncodeDate(2004, 6, 10), 2004, 3, 0,
       std::string(kKopfMaerz) + "Monat vor Zeiterfassungsbeginn"},
      {"before the first permitted year", 0, 2002, 5, 0,
       "Fehler bei Monatsabrechnung 05.2002\r\nMuster, E.\r\nMonat vor 2003"},
      {"a day before the first permitted year", 0, 2002, 5, 10,
       "Fehler bei Monatsabrechnung 05.2002\r\nMuster, E.\r\nMonat vor 2003"},
      {"after VerwJahreMax", EncodeDate(2003, 1, 1), 2006, 2, 0,
       "Fehler bei Monatsabrechnung 02.2006\r\nMuster, E.\r\nMonat nach 2005"},
  };
  for (const Case& c : cases) {
    person.Rec.Eintritt = c.eintritt;
    auto abrech = Engine();
    EXPECT_EQ(Fehler([&] { abrech->Monatsabrechnung(c.jahr, c.monat, c.tag, 0); }), c.meldung)
        << c.label;
  }
}

TEST_F(MonAbrechTest, EintrittZeroAccountsTheWholeMonthWithCarry) {
  person.Rec.Eintritt = 0;
  MonatAendern(2004, 2, [](TMonatDaten& d) { d.MonSaldo = Std(1); });
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  auto abrech = Engine();
  abrech->Monatsabrechnung(2004, 3, 0, 0);
  EXPECT_EQ(abrech->Von, EncodeDate(2004, 3, 1));
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, Std(3));
}

// --- Carry-over ---

TEST_F(MonAbrechTest, CarryOverBoundsAcrossAYearChangeOnlyWithTheYearBounds) {
  vorlage.Obergrenze.Setze(0, true, Std(40));
  vorlage.ObergrenzeJahr.Setze(0, true, Std(20));
  vorlage.Obergrenze.Setze(-6, true, 0.2);        // 28.8 days after the scale of 144
  vorlage.UntergrenzeJahr.Setze(-6, true, 0.25);  // 36 days
  vorlage.ObergrenzeJahr.Setze(-7, true, 0);      // sick days restart with the year
  vorlage.ObergrenzeJahr.Setze(-12, true, 0);     // error days likewise
  vorlage.Obergrenze.Setze(-10, true, Std(1));    // the weekly sum carried
  vorlage.ObergrenzeJahr.Setze(-10, true, Std(0, 30));
  VorlageSchreiben();
  struct Case {
    const char* label;
    int jahr, monat, vorJahr, vorMonat;
    double saldo, urlaub, krank;
    int fehler;
    double wocheTag1;
  };
  const Case cases[] = {
      {"December from November", 2004, 12, 2004, 11, Std(44, 30), 28.8, 3, 6, Std(1, 15)},
      {"January from December", 2005, 1, 2004, 12, Std(24, 30), 36 + 30, 0, 1, Std(0, 45)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    MonatAendern(c.vorJahr, c.vorMonat, [](TMonatDaten& d) {
      d.MonSaldo = Std(50);
      d.MonAnteilA = 40;
      d.MonAnteilB = 3;
      d.MonFehlerTage = 5;
      d.SetWochenLauf(Std(3));
    });
    MonatAendern(c.jahr, c.monat, [](TMonatDaten& d) {
      d.MonSaldoKorr = Std(0, 30);
      d.SetWochenKorr(Std(0, 15));
    });
    Buchen(c.jahr, c.monat, 2, {{8, 0}});  // a lone coming: an error day
    Buchen(c.jahr, c.monat, 31, {{8, 0}, {12, 0}});
    auto abrech = Engine();
    abrech->Monatsabrechnung(static_cast<uint16_t>(c.jahr), static_cast<uint16_t>(c.monat), 0, 0);
    const TMonatDaten& d = abrech->AktMonat.Daten;
    EXPECT_DOUBLE_EQ(d.MonSaldo, c.saldo);
    EXPECT_DOUBLE_EQ(d.MonAnteilA, c.urlaub);
    EXPECT_DOUBLE_EQ(d.MonAnteilB, c.krank);
    EXPECT_EQ(d.MonFehlerTage, c.fehler);
    EXPECT_EQ(d.MonWarnTage, 0);
    EXPECT_DOUBLE_EQ(d.Tag(1).TagRest.WochenLauf, c.wocheTag1);
    // The 31st follows the month's last Sunday: the week's sum at the month end is its 4:00.
    EXPECT_DOUBLE_EQ(d.WochenLauf(), Std(4));
    EXPECT_EQ(d.BerechnetAm, tp.clock.Now());
  }
}

TEST_F(MonAbrechTest, WarningDaysAndAccountsCarryWithTheirCorrections) {
  MonatAendern(2004, 2, [](TMonatDaten& d) {
    d.MonWarnTage = 2;
    d.MonTagKonto[2] = Std(1);
    d.MonKonto[4] = Std(2);
  });
  MonatAendern(2004, 3, [](TMonatDaten& d) {
    d.MonWarnTageKorr = -1;
    d.MonTagKontoKorr[2] = Std(0, 10);
    d.MonKontoKorr[4] = Std(-1);
    d.Tag(4).TagKonto[2] = Std(0, 20);  // "other" of a day
  });
  // A coming with a booking kind is evaluated as plain: a wrong key booking, a warning day.
  MonatAendern(2004, 3, [](TMonatDaten& d) {
    TBuchung kommen{};
    kommen.Zeit = EncodeDate(2004, 3, 3) + Std(8);
    kommen.Art = 2;
    TBuchung gehen{};
    gehen.Zeit = EncodeDate(2004, 3, 3) + Std(9);
    d.Tag(3).Buchungen[0] = kommen;
    d.Tag(3).Buchungen[1] = gehen;
    d.Tag(3).AnzBuchungen = 2;
  });
  auto abrech = Engine();
  abrech->Monatsabrechnung(2004, 3, 0, 0);
  const TMonatDaten& d = abrech->AktMonat.Daten;
  EXPECT_EQ(d.MonWarnTage, 2 - 1 + 1);
  EXPECT_DOUBLE_EQ(d.MonTagKonto[2], Std(1, 30));
  EXPECT_DOUBLE_EQ(d.MonKonto[4], Std(1));
}

TEST_F(MonAbrechTest, MonthlyAccountsTakeTheirPartOfTheMonthsResult) {
  KontoDef monatskonto;
  monatskonto.Name = "Monat";
  monatskonto.Art = kaMonat;
  konfig.KontoDefs.SetKonto(3, monatskonto);
  Buchen(2004, 3, 1, {{8, 0}, {12, 0}});
  Buchen(2004, 3, 2, {{8, 0}, {12, 0}});
  struct Case {
    const char* label;
    double von, bis, min, konto;
  };
  // The month's result is 8:00.
  const Case cases[] = {
      {"the middle of the result", Std(2), Std(6), 0, Std(4)},
      {"a range beyond the result", Std(6), Std(10), 0, Std(2)},
      {"a minimum above the part", Std(2), Std(6), Std(4, 30), 0},
      {"a range above the result", Std(9), Std(10), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    vorlage.KontoVon[2] = c.von;
    vorlage.KontoBis[2] = c.bis;
    vorlage.KontoMin[2] = c.min;
    VorlageSchreiben();
    auto abrech = Engine();
    abrech->Monatsabrechnung(2004, 3, 0, 0);
    EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonErgebnis.Werte[kErgKonten + 2], c.konto);
    EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonKonto[2], c.konto);
  }
}

// --- Failures ---

TEST_F(MonAbrechTest, APersonWithoutAPlanTemplateFailsNamingPersonAndMonth) {
  person.Rec.VorlageNr = 0;
  auto abrech = Engine(true);
  const std::string meldung = Fehler([&] { abrech->Monatsabrechnung(2004, 3, 0, 0); });
  EXPECT_EQ(meldung.rfind(kKopfMaerz, 0), 0u) << meldung;
  EXPECT_NE(meldung.find("Planvorlagen-Dateifehler"), std::string::npos) << meldung;
  EXPECT_NE(meldung.find(kMsgBadRecord), std::string::npos) << meldung;
}

TEST_F(MonAbrechTest, ADamagedPreviousMonthFailsAndWritesNothing) {
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  // The previous month's file cannot be opened: a folder stands in its place.
  tp.files.CreateFolders(data.Path() + "2004" + platform::kPathSeparator + "Feb.NEU");
  const auto vorher = TreeOf(data.Path());
  auto abrech = Engine(true);
  abrech->Speichern = true;
  const std::string meldung = Fehler([&] { abrech->Monatsabrechnung(2004, 3, 0, 0); });
  EXPECT_EQ(meldung.rfind(kKopfMaerz, 0), 0u) << meldung;
  EXPECT_NE(meldung.find("Monats-Dateifehler"), std::string::npos) << meldung;
  EXPECT_EQ(TreeOf(data.Path()), vorher);
}

TEST_F(MonAbrechTest, AnEngineWithoutAPersonIsRefused) {
  TAbrechUmgebung u = Umgebung();
  TMonAbrech abrech(u);
  EXPECT_THROW(abrech.Monatsabrechnung(2004, 3, 0, 0), Exception);
}

// --- What an accounted month leaves on disk ---

TEST_F(MonAbrechTest, OnlyTheMainWindowsProcessStoresTheMonth) {
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  Engine()->Monatsabrechnung(2004, 3, 0, 0);  // completes the records the walk reads
  const auto vorher = TreeOf(data.Path());
  auto ohne = Engine();
  ohne->Speichern = true;
  ohne->Monatsabrechnung(2004, 3, 0, 0);
  EXPECT_EQ(TreeOf(data.Path()), vorher);

  auto mit = Engine(true);
  mit->Monatsabrechnung(2004, 3, 0, 0);  // the balance moves from 0 to 2:00: a change
  EXPECT_EQ(ReadFileBytes(Reorg()), "7;01.03.2004 00:00;01.04.2004 00:00\r\n");
  const auto gespeichert = Gespeichert(2004, 3);
  EXPECT_DOUBLE_EQ(gespeichert->Daten.MonSaldo, Std(2));
  EXPECT_EQ(gespeichert->Daten.BerechnetAm, tp.clock.Now());
  EXPECT_EQ(gespeichert->Daten.BerechnetBis, 31);
}

TEST_F(MonAbrechTest, AnUnchangedMonthIsStoredOnlyWhenAsked) {
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  Engine(true)->Monatsabrechnung(2004, 3, 0, 0);
  const auto erst = TreeOf(data.Path());
  Engine(true)->Monatsabrechnung(2004, 3, 0, 0);  // nothing moved: nothing stored
  EXPECT_EQ(TreeOf(data.Path()), erst);

  auto again = Engine(true);
  again->Speichern = true;
  again->Monatsabrechnung(2004, 3, 0, 0);
  auto nachher = TreeOf(data.Path());
  EXPECT_EQ(nachher[kReorgDatei],
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n"
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n");
  // Accounting the same month again stores the same bytes.
  nachher.erase(kReorgDatei);
  auto ohneReorg = erst;
  ohneReorg.erase(kReorgDatei);
  EXPECT_EQ(nachher, ohneReorg);
}

class ZaehlTabelle final : public TMonatsTabelle {
 public:
  void MonatRechnen(TMonAbrech& abrech) override {
    ++laeufe;
    monat = abrech.AktMonat.KeyB;
  }
  int laeufe = 0;
  int32_t monat = 0;
};

TEST_F(MonAbrechTest, ASpreadsheetThatRanCountsTheMonthAsChanged) {
  vorlage.Optionen = 1u << 7;
  VorlageSchreiben();
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  Engine(true)->Monatsabrechnung(2004, 3, 0, 0);  // the balance moves: stored once
  const auto erst = TreeOf(data.Path());
  // Without a spreadsheet attached the option changes nothing: the unchanged month stays.
  Engine(true)->Monatsabrechnung(2004, 3, 0, 0);
  EXPECT_EQ(TreeOf(data.Path()), erst);

  ZaehlTabelle tabelle;
  TAbrechUmgebung u = Umgebung(true);
  u.Tabelle = &tabelle;
  TMonAbrech abrech(u);
  abrech.Person = &person;
  abrech.Monatsabrechnung(2004, 3, 0, 0);
  EXPECT_EQ(tabelle.laeufe, 1);
  EXPECT_EQ(tabelle.monat, 3);
  EXPECT_EQ(ReadFileBytes(Reorg()),
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n"
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n");
}

TEST_F(MonAbrechTest, AnEndDateRecalculatesTheFollowingMonths) {
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  Buchen(2004, 4, 1, {{8, 0}, {11, 0}});
  Buchen(2004, 5, 3, {{8, 0}, {9, 0}});
  auto abrech = Engine(true);
  abrech->Monatsabrechnung(2004, 3, 0, EncodeDate(2004, 5, 15));
  EXPECT_DOUBLE_EQ(Gespeichert(2004, 3)->Daten.MonSaldo, Std(2));
  EXPECT_DOUBLE_EQ(Gespeichert(2004, 4)->Daten.MonSaldo, Std(5));
  EXPECT_DOUBLE_EQ(Gespeichert(2004, 5)->Daten.MonSaldo, Std(6));
  EXPECT_EQ(Gespeichert(2004, 6)->Daten.BerechnetBis, 0);
  EXPECT_EQ(ReadFileBytes(Reorg()),
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n"
            "7;01.04.2004 00:00;01.05.2004 00:00\r\n"
            "7;01.05.2004 00:00;01.06.2004 00:00\r\n");
}

TEST_F(MonAbrechTest, RecalculationRunsMonthAfterMonthAndTwiceChangesNothing) {
  person.Rec.Eintritt = EncodeDate(2004, 3, 10);
  Buchen(2004, 3, 9, {{8, 0}, {9, 0}});
  Buchen(2004, 3, 10, {{8, 0}, {12, 0}});
  Buchen(2004, 4, 10, {{8, 0}, {12, 0}});
  Buchen(2004, 5, 10, {{8, 0}, {12, 0}});
  TAbrechUmgebung u = Umgebung(true);
  Neuberechnung(u, person, EncodeDate(2004, 5, 20), EncodeDate(2002, 1, 1));
  EXPECT_DOUBLE_EQ(Gespeichert(2004, 3)->Daten.MonSaldo, Std(4));
  EXPECT_DOUBLE_EQ(Gespeichert(2004, 4)->Daten.MonSaldo, Std(8));
  EXPECT_DOUBLE_EQ(Gespeichert(2004, 5)->Daten.MonSaldo, Std(12));
  const std::string reorg =
      "7;01.03.2004 00:00;01.04.2004 00:00\r\n"
      "7;01.04.2004 00:00;01.05.2004 00:00\r\n"
      "7;01.05.2004 00:00;01.06.2004 00:00\r\n";
  EXPECT_EQ(ReadFileBytes(Reorg()), reorg);
  const std::vector<testing::RecordingUi::Call> sanduhr = {{"Hourglass", ""}, {"Arrow", ""}};
  EXPECT_EQ(tp.ui.calls, sanduhr);

  auto erst = TreeOf(data.Path());
  Neuberechnung(u, person, EncodeDate(2004, 5, 20), EncodeDate(2002, 1, 1));
  auto zweit = TreeOf(data.Path());
  EXPECT_EQ(zweit[kReorgDatei], reorg + reorg);
  erst.erase(kReorgDatei);
  zweit.erase(kReorgDatei);
  EXPECT_EQ(zweit, erst);
}

TEST_F(MonAbrechTest, RecalculationOfAnEmptyRangeDoesNothing) {
  person.Rec.Austritt = EncodeDate(2004, 2, 29);
  const auto vorher = TreeOf(data.Path());
  TAbrechUmgebung u = Umgebung(true);
  Neuberechnung(u, person, EncodeDate(2004, 5, 20), EncodeDate(2004, 3, 1));
  Neuberechnung(u, person, EncodeDate(2007, 5, 20), EncodeDate(2006, 3, 1));
  EXPECT_EQ(TreeOf(data.Path()), vorher);
  EXPECT_TRUE(tp.ui.calls.empty());
}

// --- Trace ---

class Sammler final : public TSpur {
 public:
  void Eintrag(TSpurEintrag eintrag) override { eintraege.push_back(std::move(eintrag)); }
  const TSpurEintrag* Finde(int schritt, const std::string& position) const {
    for (const auto& e : eintraege)
      if (e.Datum == 0 && e.Schritt == schritt && e.Position == position) return &e;
    return nullptr;
  }
  std::vector<TSpurEintrag> eintraege;
};

TEST_F(MonAbrechTest, TheTraceReportsTheCarriedValuesAndTheDays) {
  vorlage.Obergrenze.Setze(0, true, Std(1));
  VorlageSchreiben();
  MonatAendern(2004, 2, [](TMonatDaten& d) {
    d.MonSaldo = Std(3);
    d.SetWochenLauf(Std(2));
  });
  Buchen(2004, 3, 1, {{8, 0}, {10, 0}});
  Sammler spur;
  auto abrech = Engine();
  abrech->Spur = &spur;
  abrech->Monatsabrechnung(2004, 3, 0, 0);
  const TSpurEintrag* saldo = spur.Finde(12, "MonSaldo");
  ASSERT_NE(saldo, nullptr);
  EXPECT_DOUBLE_EQ(saldo->Wert, Std(3));
  EXPECT_EQ(saldo->Regel,
            "carry-over: previous 3:00, bounded at position 0 without the year-change bounds to "
            "1:00, correction 0:00, change 2:00 -> 3:00");
  const TSpurEintrag* woche = spur.Finde(9, "WochenLauf");
  ASSERT_NE(woche, nullptr);
  EXPECT_DOUBLE_EQ(woche->Wert, Std(2));
  // The days report through the same listener.
  bool tag = false;
  for (const auto& e : spur.eintraege) tag = tag || e.Datum == EncodeDate(2004, 3, 1);
  EXPECT_TRUE(tag);
}

}  // namespace
}  // namespace qrv
