// Rounding comings and goings on the grid with their tolerances.
#include "accounting/rundung.h"

#include <gtest/gtest.h>

#include "tag_fixture.h"

namespace qrv {
namespace {

using testing::Hm;
using testing::kTag;
using testing::LeeresProfil;
using testing::LeereVorlage;
using testing::Min;
using testing::TagMit;
using testing::Um;

TEST(RundungTest, GridFifteenToleranceFive) {
  struct Case {
    int h, m;
    bool ab;
    int erwartet;  // minutes of the day
    const char* label;
  };
  const Case cases[] = {
      {7, 59, false, 8 * 60, "coming up: 07:59 to 08:00"},
      {8, 5, false, 8 * 60, "coming up: 08:05 within the tolerance back to 08:00"},
      {8, 6, false, 8 * 60 + 15, "coming up: 08:06 to 08:15"},
      {16, 50, true, 16 * 60 + 45, "going down: 16:50 to 16:45"},
      {16, 55, true, 17 * 60, "going down: 16:55 within the tolerance up to 17:00"},
      {8, 0, false, 8 * 60, "on the grid stays"},
      {8, 0, true, 8 * 60, "on the grid stays, down"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RundeMinuten(c.h * 60 + c.m, 15, 5, c.ab), c.erwartet) << c.label;
    EXPECT_EQ(RundeZeit(Um(c.h, c.m), 15, 5, c.ab), Um(0, c.erwartet)) << c.label;
  }
}

TEST(RundungTest, AGridThatDoesNotDivideTheDayRoundsEveryDayAlike) {
  // Grid 7: 08:00 (480) rounds up to 483 on its own day, whichever day that is.
  auto minuten = [](TDateTime t) { return Min(RundeZeit(t, 7, 0, false) - kTag); };
  EXPECT_EQ(minuten(Um(8, 0)), 8 * 60 + 3);
  EXPECT_EQ(minuten(Um(32, 0)), 32 * 60 + 3);     // 08:00 on the next day
  EXPECT_EQ(minuten(Um(-16, 0)), -15 * 60 - 57);  // 08:00 on the day before
  // 23:58 rounds up past midnight to 00:02 of the next day.
  EXPECT_EQ(minuten(Um(23, 58)), 24 * 60 + 2);
}

TEST(RundungTest, GridZeroLeavesTimesAlone) {
  EXPECT_EQ(RundeZeit(Um(8, 6), 0, 5, false), Um(8, 6));
  Tagesprofil p = LeeresProfil();
  p.RundFlags = 1;  // switched on, but no grid
  EXPECT_FALSE(RundungAn(p));
  TBuchungsliste l;
  l.Anhaengen({Um(8, 6), 0, 0, 0});
  l.Anhaengen({Um(16, 50), 0, 0, 0});
  EXPECT_EQ(RundeListe(l, p, kTag, {}).Zeit(0), Um(8, 6));
}

class RundeListeTest : public ::testing::Test {
 protected:
  RundeListeTest() {
    profil.RundRaster = Hm(0, 15);
    profil.RundKommen = Hm(0, 5);
    profil.RundGehen = Hm(0, 5);
  }
  TBuchungsliste Liste(std::initializer_list<testing::Buchung> b) {
    const TMonatTag t = TagMit(b);
    TBuchungsliste l;
    for (int i = 0; i < t.AnzBuchungen; ++i) l.Anhaengen(t.Buchungen[i]);
    return l;
  }
  std::vector<int> Minuten(uint32_t flags, const TBuchungsliste& l) {
    profil.RundFlags = flags;
    const TBuchungsliste r = RundeListe(l, profil, kTag, {});
    std::vector<int> out;
    for (int i = 0; i < r.Anzahl; ++i) out.push_back(Min(r.Zeit(i) - kTag));
    return out;
  }
  Tagesprofil profil = LeeresProfil();
};

TEST_F(RundeListeTest, WhichComingsAndGoingsAreRounded) {
  // 08:06-12:02, 12:36-16:50; rounding up gives 08:15, 12:00, 12:45, 16:45.
  const TBuchungsliste l = Liste({{8, 6}, {12, 2}, {12, 36}, {16, 50}});
  struct Case {
    uint32_t flags;
    std::vector<int> erwartet;
    const char* label;
  };
  const Case cases[] = {
      {0, {486, 722, 756, 1010}, "rounding off"},
      {1, {495, 720, 765, 1005}, "all comings and goings, up"},
      {1 | 2 | 4, {480, 720, 750, 1005}, "all, comings and goings down"},
      {1 | 8, {495, 722, 756, 1010}, "only the first coming"},
      {1 | 16, {486, 722, 756, 1005}, "only the last going"},
      {1 | 8 | 16, {495, 722, 756, 1005}, "the first coming and the last going"},
  };
  for (const Case& c : cases) EXPECT_EQ(Minuten(c.flags, l), c.erwartet) << c.label;
}

TEST_F(RundeListeTest, NoRoundingWindowKeepsItsTimes) {
  profil.RundFrei = true;
  profil.RundFreiVon = Hm(12);
  profil.RundFreiBis = Hm(13);
  const TBuchungsliste l = Liste({{8, 6}, {12, 2}, {12, 36}, {16, 50}});
  EXPECT_EQ(Minuten(1, l), (std::vector<int>{495, 722, 756, 1005}));
}

TEST_F(RundeListeTest, AGoingNeverFallsBeforeItsComing) {
  profil.RundGehen = 0;
  const TBuchungsliste l = Liste({{8, 6}, {8, 10}});  // 08:15 up, 08:00 down
  EXPECT_EQ(Minuten(1 | 4, l), (std::vector<int>{495, 495}));
}

TEST_F(RundeListeTest, DayResultsBeforeAndAfterRounding) {
  profil.RundFlags = 1 | 4;  // comings up, goings down
  TMonatTag tag = TagMit({{8, 6}, {16, 50}});
  const TBerVorRecord v = LeereVorlage();
  TAuswertung a;
  a.Vorlage = &v;
  a.Jetzt = testing::kHeute + 0.5;
  testing::SpurListe spur;
  a.Spur = &spur;
  TagAuswerten(a, profil, kTag, TFenster{}, tag);
  EXPECT_EQ(Min(Ergebnis(tag, tpAnwesenheit)), 8 * 60 + 44);       // 08:06-16:50
  EXPECT_EQ(Min(Ergebnis(tag, tpArbeitUngerundet)), 8 * 60 + 44);  // before rounding
  EXPECT_EQ(Min(Ergebnis(tag, tpPraesenz)), 8 * 60 + 30);          // 08:15-16:45
  EXPECT_EQ(Min(Ergebnis(tag, tpArbeitszeit)), 8 * 60 + 30);
  EXPECT_EQ(tag.Paare[0].Zeit, Um(8, 15));
  EXPECT_EQ(tag.Paare[1].Zeit, Um(16, 45));
  const auto eintraege = spur.Mit("rounding of coming 1 08:06 -> 08:15 (grid 15, tolerance 5, up)");
  ASSERT_EQ(eintraege.size(), 1u);
  EXPECT_EQ(eintraege[0].Schritt, 2);
  EXPECT_EQ(eintraege[0].Position, "Paare[1]");
  EXPECT_EQ(eintraege[0].Wert, Um(8, 15));
  EXPECT_EQ(spur.Mit("rounding of going 2 16:50 -> 16:45 (grid 15, tolerance 5, down)").size(), 1u);
}

}  // namespace
}  // namespace qrv
