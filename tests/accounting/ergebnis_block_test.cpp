// Adding days into a result block: the sums at their positions, the weekly running sum and the
// weekly accounts, the error and warning days; and rounding a block.
#include "accounting/ergebnis_block.h"

#include <gtest/gtest.h>

#include <cstring>

#include "master/tag_status.h"
#include "tag_fixture.h"

namespace qrv {
namespace {

using testing::Hm;
using testing::Min;
using testing::TagMit;

const TDateTime kMontag = EncodeDate(2026, 12, 7);  // the week runs to Sunday the 13th

class ErgebnisBlockTest : public ::testing::Test {
 protected:
  ErgebnisBlockTest() {
    std::memset(&block, 0, sizeof block);
    vorlage.Fehler = 32785;  // the default masks
    vorlage.Warnungen = 8198;
    a.Vorlage = &vorlage;
    a.KontoDefs = &defs;
  }
  TMonatTag Tag(double ist) {
    TMonatTag t = TagMit({});
    SetErgebnis(t, tpIst, ist);
    return t;
  }

  TBerVorRecord vorlage = testing::LeereVorlage();
  TKontoDefs defs;
  TAuswertung a;
  TMonErgebnis block;
};

TEST_F(ErgebnisBlockTest, SumsLandAtTheirPositions) {
  TMonatTag t = Tag(Hm(8));
  for (int pos = tpAnwesenheit; pos <= kTagErgebnisse; ++pos) SetErgebnis(t, pos, Hm(0, pos));
  for (int k = 0; k < kTagKonten; ++k) t.TagKonto[k] = Hm(1, k);
  SetErgebnis(t, 1, Hm(2));
  SetErgebnis(t, 40, Hm(3));
  t.TagRest.Arbeitstag = 1;
  t.TagRest.AnteilA = 0.5;
  t.TagRest.AnteilB = 0.25;
  t.TagRest.Feiertag = 1;
  TagAddieren(a, kMontag, t, block);
  TagAddieren(a, kMontag + 1, t, block);
  // Positions 0 to 16 sum [42], [41], [44], [45], [43], [46] to [55], [57], [58].
  const int quelle[] = {42, 41, 44, 45, 43, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 57, 58};
  for (int i = 0; i < 17; ++i) EXPECT_EQ(Min(block.Werte[i]), 2 * quelle[i]) << "position " << i;
  for (int k = 0; k < kTagKonten; ++k) EXPECT_EQ(Min(block.Werte[17 + k]), 2 * (60 + k));
  EXPECT_EQ(Min(block.Werte[22]), 2 * 120);
  EXPECT_EQ(Min(block.Werte[61]), 2 * 180);
  EXPECT_EQ(Min(block.Werte[62]), 2 * 59);
  EXPECT_EQ(Min(block.Werte[63]), 2 * 60);
  EXPECT_EQ(block.Werte[64], 2);
  EXPECT_EQ(block.Werte[65], 0.5);
  EXPECT_EQ(block.Werte[66], 1.0);
  EXPECT_EQ(block.Feiertage, 2);
  EXPECT_EQ(Min(block.WochenLauf), 2 * 48) << "the running sum of [48]";
  EXPECT_EQ(Min(t.TagRest.WochenLauf), 2 * 48) << "copied into the day";
}

TEST_F(ErgebnisBlockTest, WeeklyAccountClosesTheWeekOnItsWeekday) {
  KontoDef woche;
  woche.Art = kaWoche;
  defs.SetKonto(3, woche);
  vorlage.WochenEnde = 0;        // Sunday
  vorlage.KontoVon[2] = Hm(40);  // account 3 takes what lies above 40:00
  vorlage.KontoBis[2] = Hm(100);
  std::vector<TMonatTag> woche_tage;
  for (int d = 0; d < 7; ++d) {
    woche_tage.push_back(Tag(d < 5 ? Hm(8, 18) : 0));  // 41:30 from Monday to Friday
    woche_tage.back().TagKontoWert[2] = d == 6 ? Hm(0, 10) : 0;
    SetErgebnis(woche_tage.back(), 3, TagKontoWert(woche_tage.back(), 3));
  }
  for (int d = 0; d < 7; ++d) TagAddieren(a, kMontag + d, woche_tage[d], block);
  const TMonatTag& sonntag = woche_tage[6];
  EXPECT_EQ(Min(Ergebnis(sonntag, 3)), 10 + 90) << "stored 0:10 plus 41:30 less 40:00";
  EXPECT_EQ(Min(sonntag.TagRest.WochenSumme), 41 * 60 + 30);
  EXPECT_EQ(sonntag.TagRest.WochenLauf, 0);
  EXPECT_EQ(block.WochenLauf, 0);
  EXPECT_EQ(Min(block.Werte[kErgKonten + 2]), 100);
  EXPECT_EQ(Min(woche_tage[5].TagRest.WochenLauf), 41 * 60 + 30);

  // A minimum above the part leaves nothing.
  vorlage.KontoMin[2] = Hm(2);
  TMonatTag sonntag2 = Tag(0);
  block.WochenLauf = Hm(41, 30);
  TagAddieren(a, kMontag + 6, sonntag2, block);
  EXPECT_EQ(Ergebnis(sonntag2, 3), 0);
}

TEST_F(ErgebnisBlockTest, ErrorAndWarningDays) {
  struct Case {
    uint16_t status;
    int fehler, warnungen;
    const char* label;
  };
  const Case cases[] = {
      {kStatusAutoGehen, 1, 0, "clocked out automatically is an error"},
      {kStatusFalscheTaste, 0, 1, "wrong key booking is a warning"},
      {kStatusAutoGehen | kStatusFalscheTaste, 1, 0, "an error day is no warning day"},
      {kStatusAutoGehen | kStatusAnwesend, 0, 0, "still present hides the automatic going"},
      {kStatusFehlt | kStatusAbgehakt, 0, 0, "acknowledged"},
  };
  for (const Case& c : cases) {
    std::memset(&block, 0, sizeof block);
    TMonatTag t = Tag(0);
    t.Status = c.status;
    TagAddieren(a, kMontag, t, block);
    EXPECT_EQ(block.FehlerTage, c.fehler) << c.label;
    EXPECT_EQ(block.WarnTage, c.warnungen) << c.label;
  }
}

TEST_F(ErgebnisBlockTest, RoundingTheBlock) {
  const double sekunden40 = 40.0 / 86400;
  for (int i = 0; i < kErgWerte; ++i) block.Werte[i] = Hm(1) + sekunden40;
  block.WochenLauf = Hm(2) + sekunden40;
  defs.KontoAnzahl = 20;
  BlockRunden(a, block);
  EXPECT_EQ(block.Werte[0], Hm(1, 1));
  EXPECT_EQ(block.Werte[21], Hm(1, 1)) << "day account sums";
  EXPECT_EQ(block.Werte[kErgKonten + 19], Hm(1, 1)) << "account 20";
  EXPECT_EQ(block.Werte[kErgKonten + 20], Hm(1) + sekunden40) << "account 21 is not defined";
  EXPECT_EQ(block.Werte[62], Hm(1, 1));
  EXPECT_EQ(block.Werte[63], Hm(1, 1));
  for (int i : {kErgArbeitstage, kErgAnteilB, kErgAnteilA}) {
    EXPECT_EQ(block.Werte[i], Hm(1) + sekunden40) << "position " << i << " is no time";
  }
  EXPECT_EQ(block.WochenLauf, Hm(2, 1));
}

TEST_F(ErgebnisBlockTest, TraceReportsTheWeeklyClose) {
  KontoDef woche;
  woche.Art = kaWoche;
  defs.SetKonto(5, woche);
  vorlage.WochenEnde = 0;
  testing::SpurListe spur;
  a.Spur = &spur;
  block.WochenLauf = Hm(33, 30);
  TMonatTag sonntag = Tag(Hm(8));
  TagAddieren(a, kMontag + 6, sonntag, block);
  const auto e = spur.Mit("weekly account 5 closes the week at 41:30");
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].Position, "5");
  EXPECT_EQ(e[0].Schritt, 20);
}

}  // namespace
}  // namespace qrv
