// Clipping, presence and away time in a window, and the worked time from the first to the last
// entry with its frame and the account windows of kind 3.
#include "accounting/praesenz.h"

#include <gtest/gtest.h>

#include "tag_fixture.h"

namespace qrv {
namespace {

using testing::Hm;
using testing::kTag;
using testing::LeeresProfil;
using testing::Min;
using testing::TagMit;
using testing::Um;

TEST(SchneideTest, Cases) {
  struct Case {
    int s, e, l, h;  // hours
    int von, bis;
    bool zaehlt;
    int dauer;
    const char* label;
  };
  const Case cases[] = {
      {8, 17, 12, 13, 12, 13, true, 1, "window inside the interval"},
      {10, 12, 8, 17, 10, 12, true, 2, "interval inside the window"},
      {6, 10, 8, 17, 8, 10, true, 2, "starts before the window"},
      {15, 19, 8, 17, 15, 17, true, 2, "ends after the window"},
      {6, 8, 8, 17, 8, 8, true, 0, "touches the window's start"},
      {5, 7, 8, 17, 8, 8, false, 0, "before the window: empty at its start"},
      {18, 19, 8, 17, 17, 17, false, 0, "after the window: empty at its end"},
  };
  for (const Case& c : cases) {
    const TIntervall i = Schneide({Hm(c.s), Hm(c.e)}, {Hm(c.l), Hm(c.h)});
    EXPECT_EQ(Min(i.Von), c.von * 60) << c.label;
    EXPECT_EQ(Min(i.Bis), c.bis * 60) << c.label;
    EXPECT_EQ(i.Zaehlt, c.zaehlt) << c.label;
    EXPECT_EQ(Min(i.Dauer()), c.dauer * 60) << c.label;
  }
  EXPECT_EQ(TIntervall({Hm(12), Hm(8)}).Dauer(), 0) << "an end before the start counts nothing";
}

TBuchungsliste Liste(std::initializer_list<testing::Buchung> b) {
  const TMonatTag t = TagMit(b);
  TBuchungsliste l;
  for (int i = 0; i < t.AnzBuchungen; ++i) l.Anhaengen(t.Buchungen[i]);
  return l;
}

TEST(MesseTest, PresenceAndAwayTimeByKind) {
  // 07:00-09:00, away (kind 4) to 10:00, 10:00-12:00, away (plain) to 12:30, 12:30-16:00.
  const TBuchungsliste l = Liste({{7, 0}, {9, 0, 4}, {10, 0, 4}, {12, 0}, {12, 30}, {16, 0}});
  EXPECT_EQ(Min(Messe(l, kPraesenz, kOffen)), 2 * 60 + 2 * 60 + 3 * 60 + 30);
  EXPECT_EQ(Min(Messe(l, kPraesenz, {Um(8, 0), Um(13, 0)})), 60 + 120 + 30);
  EXPECT_EQ(Min(Messe(l, Abwesenheit(4), kOffen)), 60);
  EXPECT_EQ(Min(Messe(l, Abwesenheit(0), kOffen)), 30);
  EXPECT_EQ(Min(Messe(l, Abwesenheit(-1), kOffen)), 30) << "-1 selects plain goings";
  EXPECT_EQ(Min(Messe(l, Abwesenheit(6), kOffen)), 0);
}

TEST(ArbeitszeitTest, FrameClipsTheWorkedTime) {
  Tagesprofil p = LeeresProfil();
  const TBuchungsliste l = Liste({{7, 0}, {18, 0}});
  const TTagBasis ohne{l, p, kTag, 20};
  EXPECT_EQ(Min(Arbeitszeit(ohne, kPraesenz)), 11 * 60);
  p.HatRahmen = true;
  p.RahmenVon = Hm(7, 30);
  p.RahmenBis = Hm(17);
  const TTagBasis mit{l, p, kTag, 20};
  EXPECT_EQ(Min(Arbeitszeit(mit, kPraesenz)), 9 * 60 + 30);
}

TEST(ArbeitszeitTest, AccountWindowOfKindThreeAddsItsPresenceWhenItsMinutesAreReached) {
  Tagesprofil p = LeeresProfil();
  p.Kontofenster[0] = TKontofenster{Hm(18), Hm(22), 3, Hm(1)};
  p.Kontofenster[1] = TKontofenster{Hm(16), Hm(17), 1, 0};  // another kind adds nothing
  const TBuchungsliste l = Liste({{16, 0}, {21, 0}});
  EXPECT_EQ(Min(Arbeitszeit({l, p, kTag, 20}, kPraesenz)), 5 * 60 + 3 * 60);
  EXPECT_EQ(Min(Arbeitszeit({l, p, kTag, 0}, kPraesenz)), 5 * 60) << "no account windows allowed";

  p.HatRahmen = true;  // the frame ends at 20:00: 4:00, and 2:00 of the window within it
  p.RahmenVon = Hm(7, 30);
  p.RahmenBis = Hm(20);
  EXPECT_EQ(Min(Arbeitszeit({l, p, kTag, 20}, kPraesenz)), 4 * 60 + 2 * 60);

  p.Kontofenster[0].Minuten = Hm(3, 1);  // 3:00 in the window does not reach 3:01
  EXPECT_EQ(Min(Arbeitszeit({l, p, kTag, 20}, kPraesenz)), 4 * 60);
}

TEST(ArbeitszeitTest, AnEmptyListWorksNothing) {
  const Tagesprofil p = LeeresProfil();
  const TBuchungsliste l;
  EXPECT_EQ(Arbeitszeit({l, p, kTag, 20}, kPraesenz), 0);
}

}  // namespace
}  // namespace qrv
