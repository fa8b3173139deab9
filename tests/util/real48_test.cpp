#include "util/real48.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace qrv {
namespace {

using Bytes = std::array<uint8_t, 6>;

Bytes Encode(double v) {
  Bytes b;
  b.fill(0xAA);
  DoubleToReal48(v, b.data());
  return b;
}

// Bytes computed by hand (exact fractions, fraction rounded to nearest) from the format: exponent
// byte biased by 129, 39-bit fraction least significant byte first, sign in bit 7 of byte 5.
TEST(Real48Test, KnownValuesHaveTheirBytesAndComeBackWithinTheFormatsPrecision) {
  struct Case {
    const char* label;
    double value;
    Bytes bytes;
  };
  const Case cases[] = {
      {"zero", 0.0, {0, 0, 0, 0, 0, 0}},
      {"one", 1.0, {0x81, 0, 0, 0, 0, 0}},
      {"minus one", -1.0, {0x81, 0, 0, 0, 0, 0x80}},
      {"a tenth, rounded up", 0.1, {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}},
      {"1234.5678", 1234.5678, {0x8B, 0xE8, 0x6A, 0x2B, 0x52, 0x1A}},
      {"-1234.5678", -1234.5678, {0x8B, 0xE8, 0x6A, 0x2B, 0x52, 0x9A}},
      {"1e-30", 1e-30, {0x1D, 0x5E, 0xF7, 0x5F, 0x42, 0x22}},
      {"1e30", 1e30, {0xE4, 0x04, 0xCD, 0xC9, 0xF2, 0x49}},
      {"smallest", std::ldexp(1.0, -128), {0x01, 0, 0, 0, 0, 0}},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(Encode(k.value), k.bytes) << k.label;
    const double back = Real48ToDouble(k.bytes.data());
    EXPECT_LE(std::fabs(back - k.value), std::fabs(k.value) * std::ldexp(1.0, -40)) << k.label;
    EXPECT_EQ(Encode(back), k.bytes) << k.label << ": decoded value encodes to the same bytes";
  }
}

TEST(Real48Test, AZeroExponentIsZeroWhateverTheOtherBytes) {
  const Bytes b{0x00, 0xFF, 0x12, 0x34, 0x56, 0xFF};
  EXPECT_EQ(Real48ToDouble(b.data()), 0.0);
  EXPECT_FALSE(std::signbit(Real48ToDouble(b.data())));
}

TEST(Real48Test, TheLargestAndTheSignBitDecodeExactly) {
  const Bytes largest{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_EQ(Real48ToDouble(largest.data()), std::ldexp(2.0 - std::ldexp(1.0, -39), 126));
  const Bytes minusHalf{0x80, 0, 0, 0, 0, 0x80};
  EXPECT_EQ(Real48ToDouble(minusHalf.data()), -0.5);
  const Bytes oneAndAHalf{0x81, 0, 0, 0, 0, 0x40};
  EXPECT_EQ(Real48ToDouble(oneAndAHalf.data()), 1.5);
}

TEST(Real48Test, ValuesOutsideTheRangeAreHeldAtItsEdges) {
  const Bytes zero{0, 0, 0, 0, 0, 0};
  const Bytes largest{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  const Bytes mostNegative{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Encode(-0.0), zero) << "minus zero";
  EXPECT_EQ(Encode(std::ldexp(1.0, -129)), zero) << "below the smallest";
  EXPECT_EQ(Encode(std::numeric_limits<double>::quiet_NaN()), zero) << "NaN";
  EXPECT_EQ(Encode(1e300), largest) << "too large";
  EXPECT_EQ(Encode(std::numeric_limits<double>::infinity()), largest) << "infinity";
  EXPECT_EQ(Encode(-1e300), mostNegative) << "too large, negative";
  // A mantissa that rounds up to 2 moves into the next exponent.
  EXPECT_EQ(Encode(2.0 - std::ldexp(1.0, -45)), (Bytes{0x82, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace qrv
