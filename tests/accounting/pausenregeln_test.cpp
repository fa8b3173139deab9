// The automatic break rules, through the day's result TagErgebnis[53] and the rule itself.
#include "accounting/pausenregeln.h"

#include <gtest/gtest.h>

#include <vector>

#include "tag_fixture.h"

namespace qrv {
namespace {

using testing::Buchung;
using testing::Hm;
using testing::kTag;
using testing::LeeresProfil;
using testing::LeereVorlage;
using testing::Min;
using testing::TagMit;
using testing::Um;

class PausenregelnTest : public ::testing::Test {
 protected:
  void Regel(int i, int16_t typ, double von, double bis, double schwelle, double minuten) {
    profil.Regeln[i] = TPausenRegel{typ, von, bis};
    profil.RegelSchwelle[i] = schwelle;
    profil.RegelMinuten[i] = minuten;
  }
  // TagErgebnis[53] of the day in minutes.
  int AutoPausen(std::initializer_list<Buchung> b) {
    TMonatTag tag = TagMit(b);
    TAuswertung a;
    a.Vorlage = &vorlage;
    a.Jetzt = testing::kHeute + 0.5;
    a.Spur = &spur;
    TagAuswerten(a, profil, kTag, TFenster{}, tag);
    return Min(Ergebnis(tag, tpAutoPausen));
  }

  Tagesprofil profil = LeeresProfil();
  TBerVorRecord vorlage = LeereVorlage();
  testing::SpurListe spur;
};

TEST_F(PausenregelnTest, WholeSpanRuleDeductsDownToTheThreshold) {
  Regel(0, 1, 0, 0, Hm(6), Hm(0, 30));
  EXPECT_EQ(AutoPausen({{8, 0}, {15, 0}}), -30);
  EXPECT_EQ(AutoPausen({{8, 0}, {14, 10}}), -10) << "the deduction stops at the threshold";
  EXPECT_EQ(AutoPausen({{8, 0}, {13, 30}}), 0) << "below the threshold";
}

TEST_F(PausenregelnTest, WindowedRules) {
  struct Case {
    int16_t typ;
    std::vector<Buchung> buchungen;
    int erwartet;
    const char* label;
  };
  const std::vector<Case> cases = {
      {1, {{8, 0}, {17, 0}}, -30, "kind 1, no break: the due 30 minutes"},
      {1, {{8, 0}, {12, 15}, {12, 45}, {17, 0}}, 0, "kind 1, 30 minutes taken"},
      {1, {{8, 0}, {13, 0}}, 0, "kind 1, 5:00 worked is below the threshold"},
      {2, {{8, 0}, {12, 15}, {12, 45}, {17, 0}}, 30, "kind 2 credits the break taken"},
      {2, {{8, 0}, {17, 0}}, 0, "kind 2, no break"},
      {3, {{8, 0}, {12, 15}, {12, 45}, {17, 0}}, 30, "kind 3, 30 minutes taken"},
      {3, {{8, 0}, {12, 0}, {12, 45}, {17, 0}}, 0, "kind 3, 45 minutes exceed the due break"},
      {1 | 4, {{8, 0}, {17, 0}}, 0, "basis 1: one hour in the window is below 6:00"},
      {1 | 8, {{8, 0}, {17, 0}}, 0, "basis 2: 4:00 before the window is below 6:00"},
  };
  for (const Case& c : cases) {
    Regel(0, c.typ, Hm(12), Hm(13), Hm(6), Hm(0, 30));
    TMonatTag tag = TagMit({});
    for (const Buchung& b : c.buchungen)
      tag.Buchungen[tag.AnzBuchungen++] = {Um(b.H, b.M), 0, 0, 0};
    TAuswertung a;
    a.Vorlage = &vorlage;
    a.Jetzt = testing::kHeute + 0.5;
    TagAuswerten(a, profil, kTag, TFenster{}, tag);
    EXPECT_EQ(Min(Ergebnis(tag, tpAutoPausen)), c.erwartet) << c.label;
  }
  Regel(0, 1 | 8, Hm(12), Hm(13), Hm(3), Hm(0, 30));
  EXPECT_EQ(AutoPausen({{8, 0}, {17, 0}}), -30) << "basis 2: 4:00 before the window reach 3:00";
}

TEST_F(PausenregelnTest, ThresholdOfALaterRuleCountsTheBreaksSoFar) {
  Regel(0, 1, 0, 0, Hm(6), Hm(0, 30));
  Regel(1, 1, 0, 0, Hm(9), Hm(0, 15));
  EXPECT_EQ(AutoPausen({{8, 0}, {17, 50}}), -45) << "9:50: 30 and 15 minutes";
  EXPECT_EQ(AutoPausen({{8, 0}, {17, 40}}), -40) << "9:40: the second rule stops at 9:00";
  EXPECT_EQ(AutoPausen({{8, 0}, {17, 20}}), -30) << "9:20: the first rule already left 8:50";
}

TEST_F(PausenregelnTest, AwayTimesCountAsWorkWhenTheTemplateSaysSo) {
  // 08:00-12:00, away on kind 4 to 13:00, 13:00-15:00: 6:00 present, the rule window 11-14.
  Regel(0, 2, Hm(11), Hm(14), 0, Hm(1));
  EXPECT_EQ(AutoPausen({{8, 0}, {12, 0, 4}, {13, 0, 4}, {15, 0}}), 60)
      << "the hour away is a break";
  vorlage.Optionen2 = 1u << 2;  // away time of kind 4 counts as worked time
  EXPECT_EQ(AutoPausen({{8, 0}, {12, 0, 4}, {13, 0, 4}, {15, 0}}), 0);
}

TEST_F(PausenregelnTest, RulesOutsideTheDayGiveDefinedResults) {
  profil.Tagesende = Hm(20);
  Regel(0, 1, Hm(18), Hm(23), Hm(6), Hm(0, 30));  // runs past the end of the day
  EXPECT_EQ(AutoPausen({{8, 0}, {19, 0}}), -30);
  Regel(0, 1, Hm(21), Hm(23), Hm(6), Hm(0, 30));  // after the last booking
  EXPECT_EQ(AutoPausen({{8, 0}, {19, 0}}), 0);
  Regel(0, 1, Hm(13), Hm(12), Hm(6), Hm(0, 30));  // end before start
  EXPECT_EQ(AutoPausen({{8, 0}, {19, 0}}), 0);
  Regel(0, 1, 0, 0, Hm(6), Hm(0, 30));
  EXPECT_EQ(AutoPausen({{8, 0}}), 0) << "one entry (closed at itself)";
  EXPECT_EQ(AutoPausen({}), 0);
}

TEST_F(PausenregelnTest, TheTraceNamesTheRuleAndItsInputs) {
  Regel(0, 1, 0, 0, Hm(6), Hm(0, 30));
  AutoPausen({{8, 0}, {17, 0}});
  const auto e = spur.Mit("break rule 1 (kind 1, basis 0): due 0:30, taken 0:00, g 9:00");
  ASSERT_EQ(e.size(), 1u);
  EXPECT_NE(e[0].Regel.find("threshold 6:00 -> -0:30"), std::string::npos) << e[0].Regel;
  EXPECT_EQ(e[0].Schritt, 10);
  EXPECT_EQ(Min(e[0].Wert), -30);
}

}  // namespace
}  // namespace qrv
