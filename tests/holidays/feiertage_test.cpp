#include "holidays/feiertage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/doubles.h"
#include "util/bits.h"
#include "util/errors.h"

namespace qrv {
namespace {

// Easter Sunday by the anonymous Gregorian computus, written apart from the calendar's rule.
TDateTime ComputusOstern(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return EncodeDate(y, month, day);
}

class FeiertageTest : public ::testing::Test {
 protected:
  TFeiertage& Kalender() {
    if (!kalender_) kalender_ = std::make_unique<TFeiertage>(tp.Get());
    return *kalender_;
  }
  TDateTime Datum(TFeiertyp typ) { return Kalender().FindFeierObj(typ, 0, 0).Datum; }

  testing::TestPlatform tp;  // the clock stands in December 2026

 private:
  std::unique_ptr<TFeiertage> kalender_;
};

TEST_F(FeiertageTest, EasterMatchesTheGregorianComputusFrom1800To2199) {
  for (int y = 1800; y <= 2199; ++y) {
    ASSERT_EQ(TFeiertage::BerechneOstern(y), ComputusOstern(y)) << y;
  }
}

TEST_F(FeiertageTest, EasterOfTheNamedYears) {
  struct Case {
    int jahr, monat, tag;
    const char* label;
  };
  const Case cases[] = {
      {1954, 4, 18, "25 becomes 18"}, {1981, 4, 19, "26 becomes 19"},
      {2000, 4, 23, "April"},         {2008, 3, 23, "March"},
      {2024, 3, 31, "last of March"}, {2049, 4, 18, "25 becomes 18"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TFeiertage::BerechneOstern(c.jahr), EncodeDate(c.jahr, c.monat, c.tag)) << c.label;
  }
}

TEST_F(FeiertageTest, BussUndBettagIsTheWednesdayBefore23NovemberFrom1800To2199) {
  TFeiertage& k = Kalender();
  for (int y = 1800; y <= 2199; ++y) {
    k.SetJahr(static_cast<uint16_t>(y));
    const TDateTime d = Datum(ftBussUndBettag);
    ASSERT_EQ(DayOfWeek(d), 4) << y;  // Wednesday
    const double before = EncodeDate(y, 11, 23) - d;
    ASSERT_GE(before, 1) << y;
    ASSERT_LE(before, 7) << y;
  }
  struct Case {
    int jahr, tag;
  };
  // 2023 and 2028: 22 November is itself the Wednesday.
  for (const Case c : {Case{2023, 22}, Case{2024, 20}, Case{2028, 22}, Case{2025, 19}}) {
    k.SetJahr(static_cast<uint16_t>(c.jahr));
    EXPECT_EQ(Datum(ftBussUndBettag), EncodeDate(c.jahr, 11, c.tag)) << c.jahr;
    EXPECT_EQ(k.FindFeierObj(ftBussUndBettag, 0, 0).Tag, c.tag) << c.jahr;
  }
}

TEST_F(FeiertageTest, BuiltInsWithTheirNamesSwitchesAndSortKeys) {
  TFeiertage& k = Kalender();
  EXPECT_EQ(k.Jahr(), 2026);
  EXPECT_EQ(k.Feiertage(), 398330u);
  ASSERT_EQ(k.Count(), 19);
  const std::vector<std::string> names = {"Neujahr",
                                          "Heilige Drei K\xF6nige",
                                          "Karfreitag",
                                          "Ostersonntag",
                                          "Ostermontag",
                                          "Maifeiertag",
                                          "Christi Himmelfahrt",
                                          "Pfingstsonntag",
                                          "Pfingstmontag",
                                          "Fronleichnam",
                                          "Mari\xE4 Himmelfahrt",
                                          "Tag der dt. Einheit",
                                          "Reformationstag",
                                          "Allerheiligen",
                                          "Bu\xDF-und Bettag",
                                          "Heiligabend",
                                          "1. Weihnachtstag",
                                          "2. Weihnachtstag",
                                          "Silvester"};
  for (int t = 1; t <= 19; ++t) {
    const TFeierObj& f = k.FindFeierObj(static_cast<TFeiertyp>(t), 0, 0);
    EXPECT_EQ(f.Name, names[t - 1]) << t;
    EXPECT_EQ(FeiertagName(t), names[t - 1]) << t;
    EXPECT_EQ(f.Aktiv, BitSet(398330u, t)) << t;
  }
  // Ordered by date: 2026 has Easter on 5 April.
  TDateTime previous = 0;
  for (int i = 0; i < k.Count(); ++i) {
    EXPECT_GT(k.GetFeierObj(i).Datum, previous) << i;
    previous = k.GetFeierObj(i).Datum;
  }
  EXPECT_EQ(k.Key(k.Count() - 4), "0C18Heiligabend");
  EXPECT_EQ(k.Key(0), "0101Neujahr");
  EXPECT_THROW(k.GetFeierObj(19), EListError);
}

TEST_F(FeiertageTest, MoveableHolidaysOf2024) {
  TFeiertage& k = Kalender();
  k.SetJahr(2024);
  EXPECT_EQ(Datum(ftKarfreitag), EncodeDate(2024, 3, 29));
  EXPECT_EQ(Datum(ftOstersonntag), EncodeDate(2024, 3, 31));
  EXPECT_EQ(Datum(ftOstermontag), EncodeDate(2024, 4, 1));
  EXPECT_EQ(Datum(ftChristiHimmelfahrt), EncodeDate(2024, 5, 9));
  EXPECT_EQ(Datum(ftPfingstsonntag), EncodeDate(2024, 5, 19));
  EXPECT_EQ(Datum(ftPfingstmontag), EncodeDate(2024, 5, 20));
  EXPECT_EQ(Datum(ftFronleichnam), EncodeDate(2024, 5, 30));
  const TFeierObj& ostermontag = k.FindFeierObj(ftOstermontag, 0, 0);
  EXPECT_EQ(ostermontag.Tag, 1);
  EXPECT_EQ(ostermontag.Monat, 4);
  // The keys follow the recomputed dates.
  EXPECT_EQ(k.Key(2), "031DKarfreitag");
}

TEST_F(FeiertageTest, SwitchingOneHolidayOnMovesItsBit) {
  TFeiertage& k = Kalender();
  const TDateTime dreiKoenige = EncodeDate(2025, 1, 6);
  EXPECT_FALSE(k.IstFeiertag(dreiKoenige));
  k.SetAktiv(ftHeiligeDreiKoenige, 0, 0, true);
  EXPECT_TRUE(k.IstFeiertag(dreiKoenige));
  EXPECT_TRUE(BitSet(k.Feiertage(), 2));
  k.SetAktiv(ftNeujahr, 0, 0, false);
  EXPECT_FALSE(BitSet(k.Feiertage(), 1));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2025, 1, 1)));
}

TEST_F(FeiertageTest, AnEmptySetSwitchesOffEveryBuiltInButNoOwnHoliday) {
  TFeiertage& k = Kalender();
  k.AddFeiertag(ftFest, "  Stadtfest ", 12, 6, true);
  k.SetFeiertage(0);
  for (int i = 0; i < k.Count(); ++i) {
    const TFeierObj& f = k.GetFeierObj(i);
    EXPECT_EQ(f.Aktiv, f.Typ == ftFest) << f.Name;
  }
  EXPECT_EQ(k.FindFeierObj(ftFest, 12, 6).Name, "Stadtfest");
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2026, 6, 12)));
  k.SetFeiertage(kFeiertageStandard);
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2026, 12, 25)));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2026, 12, 24)));
}

TEST_F(FeiertageTest, FindeFeiertagAnswersFoundActiveAndType) {
  TFeiertage& k = Kalender();
  struct Case {
    TDateTime datum;
    bool found, aktiv;
    TFeiertyp typ;
    const char* label;
  };
  const Case cases[] = {
      {EncodeDate(2026, 12, 25), true, true, ftWeihnachtstag1, "Christmas"},
      {EncodeDate(2026, 12, 24), true, false, ftHeiligabend, "switched off"},
      {EncodeDate(2026, 1, 1) + 0.5, false, false, ftFest, "noon is no date"},
      {EncodeDate(2026, 3, 3), false, false, ftFest, "ordinary day"},
      {-1.0e9, false, false, ftFest, "outside every calendar year"},
  };
  for (const Case& c : cases) {
    bool aktiv = true;
    TFeiertyp typ = ftSilvester;
    EXPECT_EQ(k.FindeFeiertag(c.datum, aktiv, typ), c.found) << c.label;
    EXPECT_EQ(aktiv, c.aktiv) << c.label;
    EXPECT_EQ(typ, c.typ) << c.label;
  }
}

TEST_F(FeiertageTest, ALookupInAnotherYearSwitchesOnceThenAnswersForThatYear) {
  TFeiertage& k = Kalender();
  std::vector<std::pair<uint16_t, uint16_t>> calls;  // (year held, new year)
  k.OnJahr = [&](TFeiertage& sender, uint16_t neu) { calls.emplace_back(sender.Jahr(), neu); };
  bool aktiv = false;
  TFeiertyp typ = ftFest;
  EXPECT_TRUE(k.FindeFeiertag(EncodeDate(2031, 1, 1), aktiv, typ));
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2031, 4, 14)));  // Easter Monday 2031
  EXPECT_EQ(k.Jahr(), 2031);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_pair(uint16_t{2026}, uint16_t{2031}));
}

TEST_F(FeiertageTest, AFailingYearChangeStillSwitchesTheYear) {
  TFeiertage& k = Kalender();
  k.OnJahr = [](TFeiertage&, uint16_t) { throw Exception("kaputt"); };
  EXPECT_NO_THROW(k.SetJahr(2024));
  EXPECT_EQ(k.Jahr(), 2024);
  EXPECT_EQ(Datum(ftOstersonntag), EncodeDate(2024, 3, 31));
}

TEST_F(FeiertageTest, OwnHolidaysAreFoundByDayAndMonthAndListedOnce) {
  TFeiertage& k = Kalender();
  k.AddFeiertag(ftFest, "Stadtfest", 12, 6, true);
  k.AddFeiertag(ftFest, "stadtfest", 12, 6, false);  // same key without regard to case
  k.AddFeiertag(ftFest, "Kirmes", 12, 6, false);
  EXPECT_EQ(k.Count(), 21);
  EXPECT_EQ(k.FindFeierObj(ftFest, 12, 6).Name, "Kirmes");  // first in list order
  try {
    k.FindFeierObj(ftFest, 13, 6);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Feiertag undefiniert");
  }
  EXPECT_THROW(k.SetAktiv(ftFest, 1, 1, true), Exception);
  // Two entries on one date: the one sorting first answers.
  bool aktiv = true;
  TFeiertyp typ = ftSilvester;
  EXPECT_TRUE(k.FindeFeiertag(EncodeDate(2026, 6, 12), aktiv, typ));
  EXPECT_FALSE(aktiv);
  EXPECT_EQ(typ, ftFest);
}

TEST_F(FeiertageTest, An29FebruaryHolidayFallsOnlyInLeapYearsAnImpossibleDayNever) {
  TFeiertage& k = Kalender();
  k.SetJahr(2024);
  k.AddFeiertag(ftFest, "Schalttag", 29, 2, true);
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2024, 2, 29)));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2025, 2, 28)));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2025, 3, 1)));
  EXPECT_EQ(k.Jahr(), 2025);
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2028, 2, 29)));
  EXPECT_EQ(k.FindFeierObj(ftFest, 29, 2).Name, "Schalttag");
  EXPECT_THROW(k.AddFeiertag(ftFest, "Nie", 30, 2, true), EConvertError);
  EXPECT_THROW(k.AddFeiertag(ftFest, "Nie", 1, 13, true), EConvertError);
}

}  // namespace
}  // namespace qrv
