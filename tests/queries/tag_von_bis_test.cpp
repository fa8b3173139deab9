// The day span: the first start and the last end of the presence pieces, the day's midnights
// without any or when the enumeration fails, a night shift into the next day, and the modes.
#include "queries/tag_von_bis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "abfrage_fixture.h"

namespace qrv {
namespace {

using testing::AbfrageFixture;
using testing::Uhr;

class TagVonBisTest : public AbfrageFixture {
 protected:
  // The span of person 7 for date d + zeit; the answers relative to d.
  std::pair<double, double> Spanne(TDateTime d, uint8_t modus = 0, double zeit = 0) {
    double von = d + zeit;
    double bis = -1;
    TagVonBis(Umgebung(), kPers, von, bis, modus);
    return {von - d, bis - d};
  }
};

TEST_F(TagVonBisTest, SpansOfNormalNightAndEmptyDays) {
  Buchen(14, {Uhr(8), Uhr(12), Uhr(12, 30), Uhr(17)});
  Buchen(15, {Uhr(22), 1 + Uhr(6)});  // a night shift stored on the day it began
  struct Case {
    const char* label;
    int tag;
    double zeit;
    double von, bis;
  };
  const Case cases[] = {
      {"two pairs", 14, 0, Uhr(8), Uhr(17)},
      {"two pairs, date with a time", 14, Uhr(15, 30), Uhr(8), Uhr(17)},
      {"night shift", 15, 0, Uhr(22), 1 + Uhr(6)},
      {"no bookings", 16, 0, 0, 1},
      {"weekend", 19, Uhr(9), 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const auto [von, bis] = Spanne(EncodeDate(2004, 6, c.tag), 0, c.zeit);
    EXPECT_NEAR(von, c.von, 1e-9);
    EXPECT_NEAR(bis, c.bis, 1e-9);
  }
}

TEST_F(TagVonBisTest, ModeOneLeavesTheBookingsUnrounded) {
  werktag.RundFlags = 1u | 4u;
  werktag.RundRaster = Uhr(0, 15);
  werktag.RundKommen = Uhr(0, 5);
  werktag.RundGehen = Uhr(0, 5);
  Buchen(14, {Uhr(8, 6), Uhr(16, 50)});
  for (uint8_t modus : {0, 1, 2}) {
    SCOPED_TRACE(modus);
    const auto [von, bis] = Spanne(EncodeDate(2004, 6, 14), modus);
    EXPECT_NEAR(von, modus == 1 ? Uhr(8, 6) : Uhr(8, 15), 1e-9);
    EXPECT_NEAR(bis, modus == 1 ? Uhr(16, 50) : Uhr(16, 45), 1e-9);
  }
}

TEST_F(TagVonBisTest, FailedEnumerationGivesTheDaysMidnightsAndNotANumberNoAnswer) {
  // Before the permitted years the enumeration fails.
  const TDateTime d = EncodeDate(2002, 6, 14);
  double von = d + Uhr(9);
  double bis = 0;
  TagVonBis(Umgebung(), kPers, von, bis, 0);
  EXPECT_EQ(von, d);
  EXPECT_EQ(bis, d + 1);
  von = std::numeric_limits<double>::quiet_NaN();
  bis = 5;
  TagVonBis(Umgebung(), kPers, von, bis, 0);
  EXPECT_TRUE(std::isnan(von));
  EXPECT_EQ(bis, 5);
  for (double unendlich : {std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()}) {
    von = unendlich;
    bis = 5;
    TagVonBis(Umgebung(), kPers, von, bis, 0);
    EXPECT_EQ(von, unendlich);
    EXPECT_EQ(bis, 5);
  }
}

}  // namespace
}  // namespace qrv
