// The order-day enumeration over an installation on disk: the items of a day in their order, the
// day entry taken from the month the period begins in, an empty day outside the period, the
// modes, and the enumeration's life (begin, get, end).
#include "queries/auftag.h"

#include <gtest/gtest.h>

#include <limits>

#include "abfrage_fixture.h"

namespace qrv {
namespace {

using testing::AbfrageFixture;
using testing::ExpectItems;
using testing::Items;
using testing::Ohne;
using testing::Uhr;

class AufTagTest : public AbfrageFixture {
 protected:
  // Begins the enumeration of person 7 on day d of June 2004 (or of monat) and answers its items.
  std::vector<TAuftagItem> Tag(int d, uint8_t modus = 0, int monat = 6) {
    auftag = std::make_unique<TAufTag>(Umgebung());
    const int32_t n = auftag->Begin(kPers, EncodeDate(2004, monat, d), modus);
    std::vector<TAuftagItem> items = Items(*auftag);
    EXPECT_EQ(n, static_cast<int32_t>(items.size()));
    return items;
  }
  std::unique_ptr<TAufTag> auftag;
};

TEST_F(AufTagTest, TwoPairsAroundTheBreakWindowGiveTheItemsInTheirOrder) {
  Buchen(14, {Uhr(8), Uhr(12), Uhr(12, 30), Uhr(17)});
  // Monday: worked 8:30, of which 0:15 lie in the break window 12:00-12:45.
  ExpectItems(Tag(14), EncodeDate(2004, 6, 14),
              {Ohne(2, 0, "0001 Normal"),
               Ohne(3, Uhr(8)),
               {7, Uhr(8), Uhr(17), Uhr(8, 15)},
               {8, Uhr(12), Uhr(12, 30), Uhr(0, 30)},
               {9, Uhr(12), Uhr(12, 45), Uhr(0, 15)},
               {0, Uhr(8), Uhr(17), Uhr(8, 30)},
               {1, Uhr(8), Uhr(12), Uhr(4)},
               {1, Uhr(12, 30), Uhr(17), Uhr(4, 30)},
               {15, Uhr(8), Uhr(12), Uhr(4)},
               {15, Uhr(12, 45), Uhr(17), Uhr(4, 15)}});
}

TEST_F(AufTagTest, PastDayWithoutBookingsGivesModelTargetAndTheRemarkWhenItCounts) {
  struct Case {
    const char* label;
    uint16_t fehler, warnungen;
    bool bemerkung;
  };
  const Case cases[] = {
      {"missing entry is an error", kStatusFehlt, 0, true},
      {"missing entry is a warning", kStatusAutoGehen, kStatusFehlt, true},
      {"missing entry counts as neither", kStatusAutoGehen, kStatusNachKernzeit, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    vorlage.Fehler = c.fehler;
    vorlage.Warnungen = c.warnungen;
    auftag.reset();
    lib.reset();
    std::vector<testing::Soll> soll = {Ohne(2, 0, "0001 Normal"), Ohne(3, Uhr(8))};
    if (c.bemerkung) soll.push_back(Ohne(18, 0, "Eintragung fehlt"));
    ExpectItems(Tag(15), EncodeDate(2004, 6, 15), soll);
  }
}

TEST_F(AufTagTest, WeekendDayWithoutBookingsHasNoItems) {
  EXPECT_TRUE(Tag(19).empty());
  TAuftagItem item;
  EXPECT_FALSE(auftag->Get(0, item));
}

TEST_F(AufTagTest, DayAccountsAboveZeroNameTheirAccountAndTheAbsence) {
  inst->Tag(kPers, 2004, 6, 16, [](TMonatTag& t) {
    t.TagKonto[0] = Uhr(1);
    t.TagKonto[2] = Uhr(8);
    t.TagKonto[3] = -Uhr(1);  // not above 0: no item
    t.Fehlzeit = 's';
  });
  // The accounts make the day's result, so no entry is missing.
  ExpectItems(Tag(16), EncodeDate(2004, 6, 16),
              {Ohne(2, 0, "0001 Normal"), Ohne(3, Uhr(8)), Ohne(10, Uhr(1), "Dienstgang"),
               Ohne(12, Uhr(8), "Sonstige Schule")});
}

TEST_F(AufTagTest, ModesRoundThePiecesOrLeaveThem) {
  werktag.RundFlags = 1u | 4u;  // comings up, goings down
  werktag.RundRaster = Uhr(0, 15);
  werktag.RundKommen = Uhr(0, 5);
  werktag.RundGehen = Uhr(0, 5);
  Buchen(14, {Uhr(8, 6), Uhr(16, 50)});
  const TDateTime d = EncodeDate(2004, 6, 14);
  for (uint8_t modus : {0, 1, 2}) {
    SCOPED_TRACE(modus);
    const bool gerundet = modus != 1;
    const double von = gerundet ? Uhr(8, 15) : Uhr(8, 6);
    const double bis = gerundet ? Uhr(16, 45) : Uhr(16, 50);
    // The accounted pair is rounded to 8:15-16:45; the span and the pair are the bookings.
    ExpectItems(Tag(14, modus), d,
                {Ohne(2, 0, "0001 Normal"),
                 Ohne(3, Uhr(8)),
                 {7, Uhr(8, 15), Uhr(16, 45), Uhr(7, 45)},
                 {9, Uhr(12), Uhr(12, 45), Uhr(0, 45)},
                 {0, Uhr(8, 6), Uhr(16, 50), Uhr(8, 44)},
                 {1, Uhr(8, 6), Uhr(16, 50), Uhr(8, 44)},
                 Ohne(5, Uhr(0, 15), "kommen aufrunden (5min) / gehen abrunden (5min)"),
                 {15, von, Uhr(12), Uhr(12) - von},
                 {15, Uhr(12, 45), bis, bis - Uhr(12, 45)}});
  }
}

TEST_F(AufTagTest, FrameAndNoRoundingWindowFollowThePairs) {
  werktag.HatRahmen = true;
  werktag.RahmenVon = Uhr(6);
  werktag.RahmenBis = Uhr(20);
  werktag.RundFrei = true;
  werktag.RundFreiVon = Uhr(11);
  werktag.RundFreiBis = Uhr(13);
  werktag.Pausen[0].Aktiv = false;
  Buchen(14, {Uhr(8), Uhr(12)});
  ExpectItems(Tag(14), EncodeDate(2004, 6, 14),
              {Ohne(2, 0, "0001 Normal"),
               Ohne(3, Uhr(8)),
               {7, Uhr(8), Uhr(12), Uhr(4)},
               {0, Uhr(8), Uhr(12), Uhr(4)},
               {1, Uhr(8), Uhr(12), Uhr(4)},
               {4, Uhr(6), Uhr(20), 0},
               {6, Uhr(11), Uhr(13), 0},
               {15, Uhr(8), Uhr(12), Uhr(4)}});
}

TEST_F(AufTagTest, DayOfTheMonthThePeriodBeginsInComesFromThatMonth) {
  vorlage.MonatsEnde = 25;
  Buchen(28, {Uhr(8), Uhr(12)}, 5);
  // Friday 28 May lies in the period 26 May to 25 June.
  ExpectItems(Tag(28, 0, 5), EncodeDate(2004, 5, 28),
              {Ohne(2, 0, "0001 Normal"),
               Ohne(3, Uhr(8)),
               {7, Uhr(8), Uhr(12), Uhr(4)},
               {9, Uhr(12), Uhr(12, 45), 0},
               {0, Uhr(8), Uhr(12), Uhr(4)},
               {1, Uhr(8), Uhr(12), Uhr(4)},
               {15, Uhr(8), Uhr(12), Uhr(4)}});
}

TEST_F(AufTagTest, DayBeforeTheRecordingStartsIsAnEmptyDay) {
  eintritt = EncodeDate(2004, 6, 14);
  // Bookings and a day account stored on 11 June: neither counts before the recording starts.
  Buchen(11, {Uhr(8), Uhr(12)});
  inst->Tag(kPers, 2004, 6, 11, [](TMonatTag& t) { t.TagKonto[0] = Uhr(1); });
  ExpectItems(Tag(11), EncodeDate(2004, 6, 11), {Ohne(2, 0, "0001 Normal"), Ohne(3, Uhr(8))});
}

TEST_F(AufTagTest, TimeOfDayInTheDateDoesNotShiftTheItems) {
  Buchen(14, {Uhr(8), Uhr(12), Uhr(12, 30), Uhr(17)});
  auftag = std::make_unique<TAufTag>(Umgebung());
  ASSERT_EQ(auftag->Begin(kPers, EncodeDate(2004, 6, 14) + Uhr(15, 30), 0), 10);
  TAuftagItem item;
  ASSERT_TRUE(auftag->Get(4, item));
  EXPECT_EQ(item.Art, 9);
  EXPECT_NEAR(item.Von, EncodeDate(2004, 6, 14) + Uhr(12), 1e-9);
}

TEST_F(AufTagTest, BeginEndsTheOpenEnumerationAndEndReleasesIt) {
  Buchen(14, {Uhr(8), Uhr(12), Uhr(12, 30), Uhr(17)});
  TAufTag a(Umgebung());
  TAuftagItem item;
  EXPECT_FALSE(a.Get(0, item));  // before any begin
  EXPECT_TRUE(a.End());          // nothing open
  EXPECT_EQ(a.Begin(kPers, EncodeDate(2004, 6, 14), 0), 10);
  EXPECT_EQ(a.Begin(kPers, EncodeDate(2004, 6, 15), 0), 3);
  EXPECT_EQ(a.Count(), 3);
  EXPECT_FALSE(a.Get(-1, item));
  EXPECT_FALSE(a.Get(3, item));
  ASSERT_TRUE(a.Get(2, item));
  EXPECT_EQ(item.Art, 18);
  EXPECT_TRUE(a.End());
  EXPECT_FALSE(a.Get(0, item));
  EXPECT_EQ(a.Count(), 0);
}

TEST_F(AufTagTest, FailedBeginAnswersZeroAndTheNextBeginWorks) {
  Buchen(14, {Uhr(8), Uhr(12), Uhr(12, 30), Uhr(17)});
  TAufTag a(Umgebung());
  const TDateTime montag = EncodeDate(2004, 6, 14);
  struct Case {
    const char* label;
    int32_t pers;
    TDateTime datum;
  };
  const Case cases[] = {
      {"person 0", 0, montag},
      {"person 10000", 10000, montag},
      {"not a number", kPers, std::numeric_limits<double>::quiet_NaN()},
      {"infinite", kPers, std::numeric_limits<double>::infinity()},
      {"before year 1", kPers, EncodeDate(1, 1, 1) - 1},
      {"after year 9999", kPers, EncodeDate(9999, 12, 31) + 1},
      {"before the permitted years", kPers, EncodeDate(2002, 6, 14)},
      {"after the permitted years", kPers, EncodeDate(2006, 6, 14)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(a.Begin(c.pers, c.datum, 0), 0);
    TAuftagItem item;
    EXPECT_FALSE(a.Get(0, item));
    EXPECT_EQ(a.Begin(kPers, montag, 0), 10);
  }
}

}  // namespace
}  // namespace qrv
