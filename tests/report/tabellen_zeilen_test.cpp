// The rows of the spreadsheet month calculation, cell by cell, written into the recording engine:
// the person row, a day row with pairs and a day row without, the month row, and the month values
// read back with each account format's factor.
#include "report/tabellen_zeilen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../accounting/abrech_fixture.h"
#include "support/mem_spreadsheet.h"
#include "util/texts.h"

namespace qrv {
namespace {

using testing::MemSheet;
using testing::MemSpreadsheet;
using testing::SheetsTitled;
using testing::Std;

// Accounts 1 to 6 in the formats 0 to 5 (5 has no unit), and names for the day accounts that
// the pairs' kinds book.
void KontenSetzen(TKontoDefs& konten) {
  for (int j = 1; j <= 6; ++j) {
    KontoDef def = konten.Konto(j);
    def.Format = static_cast<uint8_t>(j - 1);
    konten.SetKonto(j, def);
  }
  const std::pair<int, const char*> namen[] = {{-1, "Arzt"}, {-2, "Schule"}, {-3, "Dienstgang"}};
  for (const auto& [konto, name] : namen) {
    KontoDef def = konten.Konto(konto);
    def.Name = name;
    konten.SetKonto(konto, def);
  }
}

class ZeilenTest : public testing::AbrechFixture {
 protected:
  ZeilenTest() : s(nullptr) {
    s.Book = SheetsTitled({"Blatt"});
    KontenSetzen(konfig.KontoDefs);
  }
  const MemSheet& Blatt() const { return s.Book[0]; }
  double Zahl(int32_t spalte) const { return Blatt().Number(2, spalte); }
  std::string Text(int32_t spalte) const { return Blatt().Text(2, spalte); }
  // The writes to column spalte, in order.
  std::vector<MemSpreadsheet::Call> Schreiben(int32_t spalte) const {
    std::vector<MemSpreadsheet::Call> calls;
    for (const auto& c : s.Log)
      if (c.Col == spalte && c.Op.rfind("Set", 0) == 0) calls.push_back(c);
    return calls;
  }

  MemSpreadsheet s;
};

TEST_F(ZeilenTest, PersonRowHoldsTheRecordsFields) {
  TPersonRec r = person.Rec;
  r.AusweisNr = 123;
  SetShort(r.Name, "M\xFCller");
  const char* texte[] = {"T1", "T2", "T3", "T4", "T5", "T6", "T7"};
  SetShort(r.Text1, texte[0]);
  SetShort(r.Text2, texte[1]);
  SetShort(r.Text3, texte[2]);
  SetShort(r.Text4, texte[3]);
  SetShort(r.Text5, texte[4]);
  SetShort(r.Text6, texte[5]);
  SetShort(r.Text7, texte[6]);
  SetShort(r.Text8, "erika.jpg");
  for (int i = 0; i < kPersonFreiCount; ++i) SetShort(r.Frei[i], "F" + std::to_string(i + 1));
  SetShort(r.Frei[0], "12,5");   // taken literally: stays a text
  SetShort(r.Frei[10], "12,5");  // taken as an entry: becomes a number
  r.VorlageAb = EncodeDate(2004, 2, 15);
  r.BerVorNr = 3;
  r.Austritt = EncodeDate(2005, 6, 30);
  r.Wert2 = -7;
  konfig.PhotoDir = "/srv/zeit/FOTO/";
  konfig.BarCheck = true;
  PersonZeileSchreiben(s, 2, r, konfig);

  EXPECT_EQ(Zahl(1), 7);
  EXPECT_EQ(Zahl(2), 123);
  const char* namen[] = {"M\xFCller", "Erika", "T1", "T2", "T3", "T4", "T5", "T6", "T7"};
  for (int c = 3; c <= 11; ++c) EXPECT_EQ(Text(c), namen[c - 3]) << "column " << c;
  EXPECT_EQ(Text(12), "12,5");
  for (int c = 13; c <= 21; ++c) EXPECT_EQ(Text(c), "F" + std::to_string(c - 11)) << c;
  EXPECT_EQ(Text(22), "1001");
  EXPECT_EQ(Text(23), "15.02.2004");
  // Width 4 with the check digit: 0123 padded to 00123, check digit 6 (pairs 00 12 36).
  EXPECT_EQ(Text(24), BarcodeText(123, 4, true));
  EXPECT_NE(Text(24), BarcodeText(123, 4, false));
  EXPECT_EQ(Text(25), "/srv/zeit/FOTO/erika.jpg");
  EXPECT_EQ(Zahl(26), 3);
  EXPECT_EQ(Zahl(27), 2.5);
  EXPECT_EQ(Zahl(28), 30);
  EXPECT_EQ(Zahl(29), EncodeDate(2003, 1, 1));
  EXPECT_EQ(Zahl(30), EncodeDate(2005, 6, 30));
  EXPECT_EQ(Zahl(31), 12.5);
  for (int c = 32; c <= 40; ++c) EXPECT_EQ(Text(c), "F" + std::to_string(c - 20)) << c;
  // Column 41 holds "1" while the row is written, Wert2 at its end.
  ASSERT_EQ(s.Log.front().Col, 41);
  EXPECT_EQ(s.Log.front().Text, "1");
  EXPECT_EQ(s.Log.back().Col, 41);
  EXPECT_EQ(Text(41), "-7");
  EXPECT_FALSE(Blatt().Has(2, 42));
}

class TagZeileTest : public ZeilenTest {
 protected:
  TagZeileTest() : plan(Umgebung().PlanDateien) {
    plan.KeyA = 2004;
    plan.KeyB = 3;
    plan.KeyC = kPers;
    plan.TageImMonat = 31;
    plan.Rec.Modelle[4] = 3;
    plan.Rec.SchichtTage = SetzeTag(0, 5, true);
    plan.Rec.FesteTage = SetzeTag(0, 6, true);
    tag = std::make_unique<TMonatTag>();
    tag->Fehlzeit = ' ';
  }
  void Schreibe(std::string bemerkung = "") {
    TTagZeile z;
    z.Datum = kTag;
    z.Tag = tag.get();
    z.Plan = &plan;
    z.Konten = &konfig.KontoDefs;
    z.Bemerkung = std::move(bemerkung);
    TagZeileSchreiben(s, 2, z);
  }
  void Paar(int r, TDateTime zeit, uint8_t art) {
    tag->Paare[r - 1].Zeit = zeit;
    tag->Paare[r - 1].Art = art;
  }
  void Ergebnis(int i, double wert) { tag->TagErgebnis[i - 1] = wert; }

  const TDateTime kTag = EncodeDate(2004, 3, 5);
  TPlan plan;
  std::unique_ptr<TMonatTag> tag;
};

TEST_F(TagZeileTest, ADayWithPairsFillsEveryColumn) {
  const double sek20 = SecondsToTime(20);
  const double sek40 = SecondsToTime(40);
  tag->AnzPaare = 3;
  Paar(1, kTag + Std(8), 4);
  Paar(2, kTag + Std(12, 30), 6);
  Paar(3, kTag + 1 + Std(1, 15), 8);  // past midnight
  Ergebnis(42, Std(0, 10) + sek20);
  Ergebnis(43, Std(0, 20) + sek40);
  Ergebnis(44, Std(7, 30) + sek20);
  Ergebnis(45, Std(0, 30));
  Ergebnis(46, Std(0, 40));
  Ergebnis(47, Std(0, 50));
  Ergebnis(48, Std(1, 10) + sek40);
  Ergebnis(49, Std(-1, 20));
  Ergebnis(50, Std(2) + sek20);
  Ergebnis(55, Std(2, 10));
  for (int j = 1; j <= 7; ++j) Ergebnis(j, Std(1, 30));
  for (int k = 0; k < 5; ++k) tag->TagKontoErgebnis[k] = Std(k + 1);
  tag->Fehlzeit = 'b';
  tag->Status = 1u << 15 | 1u << 3 | 1u;
  tag->TagZeit = Std(9) + sek40;
  tag->TagRest.Arbeitstag = 1;
  tag->TagRest.AnteilB = 0.5;
  tag->TagRest.AnteilA = 0.25;
  tag->TagRest.Feiertag = 0;
  tag->TagRest.Frei1[0] = 7;
  tag->TagRest.Frei1[1] = 1;
  tag->TagRest.WochenSumme = Std(38, 30);
  tag->TagRest.WochenLauf = Std(6);
  Schreibe("Arzt 10 Uhr");

  const double min = 1.0 / 60;  // a minute in hours
  struct Zelle {
    int32_t spalte;
    double wert;
  };
  const Zelle zahlen[] = {
      {2, 8},
      {3, 1.25},
      {4, 7.5},
      {5, 2 + 10 * min},
      {6, 1},
      {7, 2},
      {8, 3},
      {9, 4},
      {10, 5},
      {12, 1 + 11 * min},
      {13, -(1 + 20 * min)},
      {14, 50 * min},
      {18, 7.5},
      {19, 0.5},
      {20, 40 * min},
      {21, 0.5},
      {22, 0.25},
      {23, 0},
      {24, 1},
      {25, 3},
      {26, 3},
      {27, 8},
      {28, 12.5},
      {29, 25.25},
      {67, 1.5},
      {68, 1.5},
      {69, 90},
      {70, 9},
      {71, 0.9},
      {73, 1.5},
      {107, 38.5},
      {108, 6},
      {109, 9 + min},
      {110, 21 * min},
      {111, 7},
      {115, 1},
      {116, 0},
      {117, 3},
  };
  for (const auto& z : zahlen) EXPECT_NEAR(Zahl(z.spalte), z.wert, 1e-9) << "column " << z.spalte;
  // Not rounded: the seconds stay.
  EXPECT_NEAR(Zahl(17), 10 * min + 20.0 / 3600, 1e-9);
  EXPECT_NEAR(Zahl(112), 2 + 20.0 / 3600, 1e-9);
  EXPECT_EQ(Text(1), "05.03.2004");
  EXPECT_EQ(Text(11), "b");
  EXPECT_EQ(Text(15), "*");
  EXPECT_EQ(Text(16), std::string(16, ' ') + "*" + std::string(11, ' ') + "*  *");
  EXPECT_EQ(Text(113), "Arzt 10 Uhr");
  EXPECT_EQ(Text(114), "DAS" + std::string(37, ' '));
  for (int c = 30; c <= 66; ++c) EXPECT_FALSE(Blatt().Has(2, c)) << "pair column " << c;
  EXPECT_FALSE(Blatt().Has(2, 72)) << "account 6 has no unit";
  // Column 117 holds 1 while the row is written, the plan's model at its end.
  const auto modell = Schreiben(117);
  ASSERT_EQ(modell.size(), 2u);
  EXPECT_EQ(modell[0].Number, 1);
  EXPECT_EQ(s.Log.front().Col, 117);
  EXPECT_EQ(s.Log.back().Col, 117);
}

TEST_F(TagZeileTest, ADayWithoutPairsLeavesThePairColumnsEmpty) {
  Schreibe();
  EXPECT_EQ(Zahl(25), 0);
  EXPECT_TRUE(Blatt().Has(2, 25));
  for (int c : {2, 3}) EXPECT_FALSE(Blatt().Has(2, c)) << c;
  for (int c = 27; c <= 66; ++c) EXPECT_FALSE(Blatt().Has(2, c)) << c;
  EXPECT_EQ(Text(11), " ");
  EXPECT_EQ(Text(15), " ");
  EXPECT_EQ(Text(16), std::string(32, ' '));
  EXPECT_EQ(Text(114), std::string(40, ' '));
  EXPECT_EQ(Zahl(116), 0);
  EXPECT_EQ(Zahl(115), 1);
}

TEST_F(TagZeileTest, ADayNeverWrittenHasNoAbsenceText) {
  tag->Fehlzeit = '\0';
  Schreibe();
  const auto fehlzeit = Schreiben(11);
  ASSERT_EQ(fehlzeit.size(), 1u);
  EXPECT_EQ(fehlzeit[0].Text, "");
}

class MonatZeileTest : public ZeilenTest {
 protected:
  MonatZeileTest() : m(std::make_unique<TMonatDaten>()) {}
  std::unique_ptr<TMonatDaten> m;
};

TEST_F(MonatZeileTest, MonthRowInHoursAndInEachAccountsUnit) {
  m->MonSaldo = Std(10, 30) + SecondsToTime(20);
  m->MonSaldoKorr = Std(-1, 15);
  m->MonAnteilB = 1.5;
  m->MonAnteilBKorr = 0.5;
  m->MonAnteilA = 12.5;
  m->MonAnteilAKorr = -1;
  for (int i = 1; i <= 5; ++i) {
    m->MonTagKonto[i - 1] = Std(i);
    m->MonTagKontoKorr[i - 1] = Std(0, 6 * i);
  }
  for (int j = 1; j <= 6; ++j) m->MonKonto[j - 1] = Std(1, 30) + SecondsToTime(20);
  m->MonKontoKorr[2] = Std(0, 45);
  m->SetWochenLauf(Std(12));
  m->SetWochenKorr(Std(-2));
  MonatZeileSchreiben(s, 2, *m, konfig.KontoDefs);

  EXPECT_DOUBLE_EQ(Zahl(1), 10.5);
  EXPECT_DOUBLE_EQ(Zahl(2), -1.25);
  EXPECT_EQ(Zahl(3), 1.5);
  EXPECT_EQ(Zahl(4), 0.5);
  EXPECT_EQ(Zahl(5), 12.5);
  EXPECT_EQ(Zahl(6), -1);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_NEAR(Zahl(2 * i + 5), i, 1e-9) << i;
    EXPECT_NEAR(Zahl(2 * i + 6), 0.1 * i, 1e-9) << i;
  }
  // Accounts 1 to 5 in hours, hours, minutes, tenths and hundredths; rounded to the minute first.
  EXPECT_NEAR(Zahl(17), 1.5, 1e-9);
  EXPECT_NEAR(Zahl(19), 1.5, 1e-9);
  EXPECT_NEAR(Zahl(21), 90, 1e-9);
  EXPECT_NEAR(Zahl(22), 45, 1e-9);
  EXPECT_NEAR(Zahl(23), 9, 1e-9);
  EXPECT_NEAR(Zahl(25), 0.9, 1e-9);
  EXPECT_FALSE(Blatt().Has(2, 27));
  EXPECT_FALSE(Blatt().Has(2, 28));
  EXPECT_NEAR(Zahl(29), 0, 1e-9);  // account 7, format 0, empty
  EXPECT_EQ(Zahl(97), 12);
  EXPECT_EQ(Zahl(98), -2);
  const auto korr = Schreiben(98);
  ASSERT_EQ(korr.size(), 2u);
  EXPECT_EQ(korr[0].Number, 1);
  EXPECT_EQ(s.Log.front().Col, 98);
}

TEST_F(MonatZeileTest, ReadBackDividesByEachAccountsUnitAndRoundsToTheMinute) {
  m->MonKonto[5] = Std(3);  // account 6 has no unit: stays
  m->MonInt1 = 11;          // the weekly sums are not read back
  MemSheet& calc = s.Book[0];
  const auto put = [&](int32_t spalte, double wert) {
    calc.Cells[{2, spalte}] = testing::MemCell{false, wert, ""};
  };
  put(1, 7.51);  // 450.6 minutes
  put(2, -0.5);
  put(3, 2.25);
  put(6, -1.5);
  put(7, 1);      // MonTagKonto[1]
  put(16, 0.25);  // MonTagKontoKorr[5]
  put(17, 2);     // account 1, hours
  put(19, 2.5);   // account 2, hours
  put(21, 90);    // account 3, minutes
  put(22, 90.4);
  put(23, 9.5);   // account 4, tenths
  put(25, 0.95);  // account 5, hundredths
  put(27, 99);    // account 6
  MonatZuruecklesen(s, *m, konfig.KontoDefs, nullptr);

  EXPECT_DOUBLE_EQ(m->MonSaldo, Std(7, 31));
  EXPECT_DOUBLE_EQ(m->MonSaldoKorr, Std(0, -30));
  EXPECT_EQ(m->MonAnteilB, 2.25);
  EXPECT_EQ(m->MonAnteilAKorr, -1.5);
  EXPECT_DOUBLE_EQ(m->MonTagKonto[0], Std(1));
  EXPECT_DOUBLE_EQ(m->MonTagKontoKorr[4], Std(0, 15));
  EXPECT_DOUBLE_EQ(m->MonKonto[0], Std(2));
  EXPECT_DOUBLE_EQ(m->MonKonto[1], Std(2, 30));
  EXPECT_DOUBLE_EQ(m->MonKonto[2], MinutesToTime(90));
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[2], MinutesToTime(90));
  EXPECT_DOUBLE_EQ(m->MonKonto[3], MinutesToTime(95));
  EXPECT_DOUBLE_EQ(m->MonKonto[4], MinutesToTime(95));
  EXPECT_EQ(m->MonKonto[5], Std(3));
  EXPECT_EQ(m->MonInt1, 11);
  for (const auto& c : s.Log) EXPECT_NE(c.Col, 27) << "account 6 is not read";
}

}  // namespace
}  // namespace qrv
