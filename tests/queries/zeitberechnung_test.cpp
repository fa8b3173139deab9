// The time calculation over an installation on disk: the four sums of the days walked around the
// range, with and without rounding and break windows, and the ranges it refuses.
#include "queries/zeitberechnung.h"

#include <gtest/gtest.h>

#include <limits>

#include "abfrage_fixture.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::AbfrageFixture;
using testing::Uhr;

class ZeitberechnungTest : public AbfrageFixture {
 protected:
  TDateTime Montag(double zeit) const { return EncodeDate(2004, 6, 14) + zeit; }
};

TEST_F(ZeitberechnungTest, RangeInsideADayCountsItsPresenceAndTheWorkedTimeOfTheDaysWalked) {
  werktag.Pausen[0].Aktiv = false;
  Buchen(13, {Uhr(8), Uhr(10)});  // the day before
  Buchen(14, {Uhr(7), Uhr(16)});
  Buchen(15, {Uhr(9), Uhr(12)});  // the day after
  Buchen(16, {Uhr(9), Uhr(12)});  // not walked
  const TZeiten z = Zeitberechnung(Umgebung(), kPers, Montag(Uhr(8)), Montag(Uhr(12)));
  EXPECT_NEAR(z.Zeit1, Uhr(4), 1e-9);
  EXPECT_NEAR(z.Zeit2, Uhr(4), 1e-9);
  EXPECT_NEAR(z.Zeit3, Uhr(14), 1e-9);
  EXPECT_NEAR(z.Zeit4, Uhr(14), 1e-9);
}

TEST_F(ZeitberechnungTest, RoundingSeparatesTheSumsAndTheBreakWindowIsDeductedFromEach) {
  werktag.RundFlags = 1u | 4u;  // comings up, goings down, no tolerance
  werktag.RundRaster = Uhr(0, 15);
  werktag.Pausen[0] = {true, Uhr(12), Uhr(12, 30)};
  Buchen(14, {Uhr(7, 7), Uhr(16, 8)});  // rounded 7:15-16:00
  const TZeiten z = Zeitberechnung(Umgebung(), kPers, Montag(Uhr(7)), Montag(Uhr(12)));
  EXPECT_NEAR(z.Zeit1, Uhr(4, 53) - Uhr(0, 30), 1e-9);  // 7:07-12:00
  EXPECT_NEAR(z.Zeit2, Uhr(4, 45) - Uhr(0, 30), 1e-9);  // 7:15-12:00
  EXPECT_NEAR(z.Zeit3, Uhr(9, 1) - Uhr(0, 30), 1e-9);
  EXPECT_NEAR(z.Zeit4, Uhr(8, 45) - Uhr(0, 30), 1e-9);
}

TEST_F(ZeitberechnungTest, RangesItCannotCalculateRaise) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* label;
    int32_t pers;
    TDateTime von, bis;
  };
  const Case cases[] = {
      {"before the permitted years", kPers, EncodeDate(2002, 3, 1), EncodeDate(2002, 3, 2)},
      {"after the permitted years", kPers, EncodeDate(2006, 3, 1), EncodeDate(2006, 3, 2)},
      {"ends before it starts", kPers, Montag(Uhr(12)), Montag(Uhr(8))},
      {"start not a number", kPers, nan, Montag(Uhr(8))},
      {"end infinite", kPers, Montag(Uhr(8)), inf},
      {"first day of year 1", kPers, EncodeDate(1, 1, 1), Montag(0)},
      {"last day of year 9999", kPers, Montag(0), EncodeDate(9999, 12, 31)},
      {"person 0", 0, Montag(Uhr(8)), Montag(Uhr(12))},
      {"person 10000", 10000, Montag(Uhr(8)), Montag(Uhr(12))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_THROW(Zeitberechnung(Umgebung(), c.pers, c.von, c.bis), Exception);
  }
  EXPECT_NO_THROW(Zeitberechnung(Umgebung(), kPers, Montag(Uhr(8)), Montag(Uhr(12))));
}

}  // namespace
}  // namespace qrv
