#include "util/rounding.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qrv {
namespace {

struct RoundCase {
  const char* label;
  double in;
  double halfAway;
  double halfEven;
};

TEST(RoundingTest, BothRulesOnHalvesAndNeighbours) {
  const RoundCase cases[] = {
      {"zero", 0.0, 0, 0},           {"half", 0.5, 1, 0},
      {"one and a half", 1.5, 2, 2}, {"two and a half", 2.5, 3, 2},
      {"minus half", -0.5, -1, 0},   {"minus 1.5", -1.5, -2, -2},
      {"minus 2.5", -2.5, -3, -2},   {"below half", 2.4999, 2, 2},
      {"above half", 2.5001, 3, 3},  {"minus below", -2.4999, -2, -2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfAway(c.in), c.halfAway) << c.label;
    EXPECT_EQ(RoundHalfEven(c.in), c.halfEven) << c.label;
  }
}

TEST(RoundingTest, NonFiniteValuesPassThrough) {
  EXPECT_TRUE(std::isnan(RoundHalfAway(NAN)));
  EXPECT_TRUE(std::isinf(RoundHalfEven(INFINITY)));
}

}  // namespace
}  // namespace qrv
