// The spreadsheet month calculation run by the accounting of a month on an installation on disk,
// against the recording engine: the template chosen and loaded, the sheets found or appended, the
// rows of the accounted period, the month values the template computes taken back, and every
// failure ending the calculation with what was read so far.
#include "report/monats_rechnung.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../accounting/abrech_fixture.h"
#include "accounting/abrech_text.h"
#include "accounting/reorg.h"
#include "files/file_io.h"
#include "master/bemerk.h"
#include "support/mem_spreadsheet.h"

namespace qrv {
namespace {

using testing::MemCell;
using testing::MemSheet;
using testing::MemSpreadsheet;
using testing::MemWorkbook;
using testing::SheetsTitled;
using testing::Std;

class Sammler final : public TSpur {
 public:
  void Eintrag(TSpurEintrag e) override { eintraege.push_back(std::move(e)); }
  std::vector<std::string> Regeln(const std::string& position) const {
    std::vector<std::string> regeln;
    for (const auto& e : eintraege)
      if (e.Schritt == 14 && e.Position == position) regeln.push_back(e.Regel);
    return regeln;
  }
  std::vector<TSpurEintrag> eintraege;
};

// The template's formulas: the month row copied to "MonSumDatenCalc", its balance one hour
// higher and account 3 (minutes) at 100, with "ok" in cell (1, 1).
void Formeln(MemSpreadsheet& s) {
  const MemSheet* summen = s.Titled("MonSumDaten");
  MemSheet* calc = s.Titled("MonSumDatenCalc");
  if (summen == nullptr || calc == nullptr) return;
  calc->Cells.clear();
  calc->Cells[{1, 1}] = MemCell{true, 0, "ok"};
  for (const auto& [pos, zelle] : summen->Cells)
    if (pos.first == 2) calc->Cells[pos] = zelle;
  calc->Cells[{2, 1}].Number += 1;
  calc->Cells[{2, 21}].Number = 100;
}

class MonatsRechnungTest : public testing::AbrechFixture {
 protected:
  MonatsRechnungTest() : bemerkFile(tp.Get(), konfig) {
    plattform.spreadsheets = &fabrik;
    hauptPlattform.spreadsheets = &fabrik;
    fabrik.Recalc = Formeln;
    vorlage.Optionen = 1u << 7;
    VorlageSchreiben();
    KontoDef minuten = konfig.KontoDefs.Konto(3);
    minuten.Format = kfGanzzahl;
    konfig.KontoDefs.SetKonto(3, minuten);
    bemerkSlot = &bemerkFile;
    // 1 March 2004: 8:00 to 12:30 with remark 1; account 3 corrected by 90 minutes.
    Buchen(2004, 3, 1, {{8, 0}, {12, 30}});
    MonatAendern(2004, 3, [](TMonatDaten& d) {
      d.Tag(1).TagWort = 1;
      d.MonKontoKorr[2] = MinutesToTime(90);
    });
    TBemerk b(&bemerkSlot);
    b.KeyA = 2004;
    b.KeyC = 1;
    b.Rec.Nummer = 1;
    b.Rec.PersNr = kPers;
    b.Rec.Datum = EncodeDate(2004, 3, 1);
    SetBemerkText(b.Rec, "Arzt");
    b.Save();
  }

  std::string Ordner() const {
    const char sep = platform::kPathSeparator;
    return data.Path() + "REPORTS" + sep + "VORLAGEN" + sep;
  }
  // A template file on disk (for its date) and the workbook the engine loads from that path.
  std::string Vorlage(const std::string& name, MemWorkbook book) {
    tp.files.CreateFolders(Ordner());
    const std::string pfad = Ordner() + name;
    testing::WriteFileBytes(pfad, "xls");
    fabrik.Files[pfad] = std::move(book);
    return pfad;
  }
  MemWorkbook Voll() const {
    return SheetsTitled({"RepInfo", "PersDaten", "MonSumDaten", "MonDaten", "MonSumDatenCalc"});
  }
  // Accounts March 2004 with the calculation attached; main: the host runs the main window.
  std::unique_ptr<TMonAbrech> Abrechnen(bool main = false) {
    TAbrechUmgebung u = Umgebung(main);
    u.Tabelle = &rechnung;
    auto abrech = std::make_unique<TMonAbrech>(u);
    abrech->Person = &person;
    abrech->Spur = &spur;
    abrech->Monatsabrechnung(2004, 3, 0, 0);
    return abrech;
  }
  MemSpreadsheet& Engine() {
    EXPECT_NE(fabrik.Last, nullptr);
    return *fabrik.Last;
  }
  // The engine's sheet titled titel; a failure and an empty sheet when there is none.
  MemSheet& Blatt(const std::string& titel) {
    MemSheet* s = Engine().Titled(titel);
    if (s != nullptr) return *s;
    ADD_FAILURE() << "no sheet " << titel;
    return leer;
  }

  testing::MemSpreadsheetFactory fabrik;
  TMonatsRechnung rechnung;
  TBemerkFile bemerkFile;
  Sammler spur;
  MemSheet leer;
};

TEST_F(MonatsRechnungTest, TheMonthGoesIntoTheSheetsAndTheComputedValuesComeBack) {
  Vorlage("MONCALC.XLS", Voll());
  auto abrech = Abrechnen();

  MemSheet& info = Blatt("RepInfo");
  EXPECT_EQ(info.Text(1, 1), "Name");
  EXPECT_EQ(info.Text(1, 2), "Von");
  EXPECT_EQ(info.Text(1, 3), "Bis");
  EXPECT_EQ(info.Text(2, 1), "MonCalc");
  EXPECT_EQ(info.Number(2, 2), EncodeDate(2004, 3, 1));
  EXPECT_EQ(info.Number(2, 3), EncodeDate(2004, 3, 31));
  EXPECT_EQ(Blatt("PersDaten").Number(2, 1), kPers);
  EXPECT_EQ(Blatt("PersDaten").Text(2, 3), "Muster");

  // One row per day of the period, 1 March in row 2; the day with bookings and the remark.
  MemSheet& tage = Blatt("MonDaten");
  for (int d = 1; d <= 31; ++d) {
    EXPECT_EQ(tage.Text(d + 1, 1), DatumText(EncodeDate(2004, 3, d))) << d;
  }
  EXPECT_FALSE(tage.Has(33, 1));
  EXPECT_EQ(tage.Number(2, 25), 2);
  EXPECT_NEAR(tage.Number(2, 27), 8, 1e-9);
  EXPECT_NEAR(tage.Number(2, 28), 12.5, 1e-9);
  EXPECT_EQ(tage.Text(2, 113), "Arzt");
  EXPECT_EQ(tage.Number(3, 25), 0);
  EXPECT_FALSE(tage.Has(3, 27));
  EXPECT_EQ(tage.Number(2, 117), 1);  // the plan template's model

  // The month row as accounted: 4:30 balance, account 3 at 90 minutes in minutes.
  MemSheet& summen = Blatt("MonSumDaten");
  EXPECT_DOUBLE_EQ(summen.Number(2, 1), 4.5);
  EXPECT_DOUBLE_EQ(summen.Number(2, 21), 90);
  EXPECT_DOUBLE_EQ(summen.Number(2, 22), 90);
  // What the template computed replaces the month's values.
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, Std(5, 30));
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonKonto[2], MinutesToTime(100));
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonKontoKorr[2], MinutesToTime(90));

  const auto tabelle = spur.Regeln("Tabelle");
  ASSERT_EQ(tabelle.size(), 1u);
  EXPECT_EQ(tabelle[0],
            "spreadsheet month calculation with template " + Ordner() + "MONCALC.XLS (loaded)");
  EXPECT_EQ(spur.Regeln("MonSaldo"),
            std::vector<std::string>{"spreadsheet: MonSumDatenCalc column 1: 4:30 -> 5:30"});
  EXPECT_EQ(spur.Regeln("MonKonto[3]"),
            std::vector<std::string>{"spreadsheet: MonSumDatenCalc column 21: 1:30 -> 1:40"});
}

TEST_F(MonatsRechnungTest, DaysAreWrittenFromTheLastBackToTheFirst) {
  Vorlage("MONCALC.XLS", Voll());
  Abrechnen();
  std::vector<int32_t> zeilen;
  bool tage = false;
  for (const auto& c : Engine().Log) {
    if (c.Op == "ClearSheetRange") tage = c.Sheet == 4;
    if (tage && c.Op == "SetRow") zeilen.push_back(c.Row);
    if (tage && c.Op == "Sheet") break;
  }
  std::vector<int32_t> erwartet{2};
  for (int z = 32; z >= 2; --z) erwartet.push_back(z);
  EXPECT_EQ(zeilen, erwartet);
}

TEST_F(MonatsRechnungTest, MissingSheetsAreAppendedWithTheirTitles) {
  Vorlage("MONCALC.XLS", SheetsTitled({"Deckblatt", "MonDaten", "MonSumDatenCalc"}));
  auto abrech = Abrechnen();
  std::vector<std::string> titel;
  for (const auto& s : Engine().Book) titel.push_back(s.Title);
  EXPECT_EQ(titel, (std::vector<std::string>{"Deckblatt", "MonDaten", "MonSumDatenCalc", "RepInfo",
                                             "PersDaten", "MonSumDaten"}));
  EXPECT_EQ(Blatt("RepInfo").Text(2, 1), "MonCalc");
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, Std(5, 30));
}

TEST_F(MonatsRechnungTest, WithoutAComputedResultTheMonthKeepsItsValues) {
  struct Fall {
    const char* label;
    std::vector<std::string> blaetter;
    bool formeln;
    double saldo;
  };
  const Fall faelle[] = {
      {"no result sheet", {"MonSumDaten"}, true, Std(4, 30)},
      {"cell (1, 1) empty", {"MonSumDatenCalc"}, false, Std(4, 30)},
      // The last sheet of a title is the one: the first is empty, the second computed.
      {"two result sheets",
       {"MonSumDatenCalc", "MonSumDaten", "MonSumDatenCalc"},
       true,
       Std(5, 30)},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.label);
    TMonatsRechnung frisch;
    fabrik.Recalc = f.formeln ? Formeln : nullptr;
    Vorlage("MONCALC.XLS", SheetsTitled(f.blaetter));
    TAbrechUmgebung u = Umgebung();
    u.Tabelle = &frisch;
    TMonAbrech abrech(u);
    abrech.Person = &person;
    abrech.Monatsabrechnung(2004, 3, 0, 0);
    EXPECT_DOUBLE_EQ(abrech.AktMonat.Daten.MonSaldo, f.saldo);
    EXPECT_DOUBLE_EQ(abrech.AktMonat.Daten.MonKonto[2],
                     MinutesToTime(f.saldo == Std(5, 30) ? 100 : 90));
  }
}

TEST_F(MonatsRechnungTest, EachCalculationTemplateUsesItsOwnTemplateElseTheCommonOne) {
  const std::string drei = Vorlage("MONCALC3.XLS", Voll());
  const std::string allgemein = Vorlage("MONCALC.XLS", Voll());
  struct Fall {
    int32_t berVorNr;
    std::string pfad;
  };
  const Fall faelle[] = {{3, drei}, {4, allgemein}, {3, drei}};
  int ladungen = 0;
  for (const auto& f : faelle) {
    person.Rec.BerVorNr = f.berVorNr;
    Abrechnen();
    EXPECT_EQ(rechnung.VorlagePfad(), f.pfad);
    EXPECT_EQ(Engine().LoadCount, ++ladungen) << "another template is loaded";
    EXPECT_EQ(Engine().Log.front().Text, drei);
  }
  EXPECT_EQ(fabrik.Created, 1);
}

TEST_F(MonatsRechnungTest, AnUnchangedTemplateIsNotLoadedAgainANewerOneIs) {
  const std::string pfad = Vorlage("MONCALC.XLS", Voll());
  Abrechnen();
  Abrechnen();
  EXPECT_EQ(Engine().LoadCount, 1);
  EXPECT_NE(spur.Regeln("Tabelle").back().find("(loaded before, unchanged)"), std::string::npos);
  // The workbook held keeps what the earlier run wrote.
  EXPECT_EQ(Blatt("MonDaten").Text(2, 1), "01.03.2004");

  const auto neuer = std::filesystem::last_write_time(pfad) + std::chrono::hours(1);
  std::filesystem::last_write_time(pfad, neuer);
  Abrechnen();
  EXPECT_EQ(Engine().LoadCount, 2);
  EXPECT_GT(rechnung.VorlageDatum(), 0);
}

TEST_F(MonatsRechnungTest, AFailingEngineLeavesTheValuesReadSoFarAndIsReplaced) {
  Vorlage("MONCALC.XLS", Voll());
  // The call that reads column 3 of the result, from a run that succeeds.
  int lesen3 = 0;
  {
    TMonatsRechnung probe;
    TAbrechUmgebung u = Umgebung();
    u.Tabelle = &probe;
    TMonAbrech abrech(u);
    abrech.Person = &person;
    abrech.Monatsabrechnung(2004, 3, 0, 0);
    const auto& log = Engine().Log;
    for (size_t i = 0; i < log.size(); ++i)
      if (log[i].Op == "GetCellNumber" && log[i].Col == 3) lesen3 = static_cast<int>(i) + 1;
    ASSERT_GT(lesen3, 0);
  }
  fabrik.FailFrom = lesen3;
  auto abrech = Abrechnen();
  // Columns 1 and 2 were read; the failure at column 3 leaves the rest as accounted.
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, Std(5, 30));
  EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonKonto[2], MinutesToTime(90));
  EXPECT_EQ(fabrik.Last, nullptr) << "the failed engine is dropped";
  EXPECT_NE(spur.Regeln("Tabelle").back().find("engine dropped"), std::string::npos);

  fabrik.FailFrom = 0;
  auto wieder = Abrechnen();
  EXPECT_EQ(fabrik.Created, 3);
  EXPECT_EQ(Engine().LoadCount, 1) << "the new engine loads the template";
  EXPECT_DOUBLE_EQ(wieder->AktMonat.Daten.MonKonto[2], MinutesToTime(100));

  fabrik.FailFrom = 1;  // the very first call: nothing is taken back
  TMonatsRechnung dritte;
  TAbrechUmgebung u = Umgebung();
  u.Tabelle = &dritte;
  TMonAbrech erste(u);
  erste.Person = &person;
  erste.Monatsabrechnung(2004, 3, 0, 0);
  EXPECT_DOUBLE_EQ(erste.AktMonat.Daten.MonSaldo, Std(4, 30));
}

TEST_F(MonatsRechnungTest, WithoutEngineOrTemplateTheMonthStaysAsAccounted) {
  struct Fall {
    const char* label;
    bool fabrikDa;
    std::string verweigert;
    bool vorlageDa;
    std::string meldung;
  };
  const Fall faelle[] = {
      {"no factory", false, "", true,
       "spreadsheet month calculation skipped: no spreadsheet engine"},
      {"no engine", true, "not installed", true,
       "spreadsheet month calculation skipped: not installed"},
      {"no template", true, "", false, "spreadsheet month calculation ended: Datei nicht gefunden"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.label);
    plattform.spreadsheets = f.fabrikDa ? &fabrik : nullptr;
    fabrik.Refuse = f.verweigert;
    std::filesystem::remove_all(Ordner());
    if (f.vorlageDa) Vorlage("MONCALC.XLS", Voll());
    spur.eintraege.clear();
    auto abrech = Abrechnen();
    EXPECT_DOUBLE_EQ(abrech->AktMonat.Daten.MonSaldo, Std(4, 30));
    ASSERT_EQ(spur.Regeln("Tabelle").size(), 1u);
    EXPECT_EQ(spur.Regeln("Tabelle")[0].rfind(f.meldung, 0), 0u) << spur.Regeln("Tabelle")[0];
  }
  EXPECT_EQ(fabrik.Created, 1);  // made once the factory can make one; kept after
}

TEST_F(MonatsRechnungTest, TheComputedMonthCountsAsChangedAndIsStored) {
  Vorlage("MONCALC.XLS", Voll());
  Abrechnen(true);
  Abrechnen(true);  // the same values again: still stored
  EXPECT_EQ(testing::ReadFileBytes(data.Path() + kReorgDatei),
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n"
            "7;01.03.2004 00:00;01.04.2004 00:00\r\n");
  const auto gespeichert = Gespeichert(2004, 3);
  EXPECT_DOUBLE_EQ(gespeichert->Daten.MonSaldo, Std(5, 30));
  EXPECT_DOUBLE_EQ(gespeichert->Daten.MonKonto[2], MinutesToTime(100));
}

}  // namespace
}  // namespace qrv
