#include "util/bits.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(BitsTest, OnlyTheLowFiveBitsOfAFlagNumberCount) {
  const struct {
    int n;
    uint32_t mask;
  } cases[] = {{0, 1}, {5, 32}, {31, 0x80000000u}, {32, 1}, {33, 2}, {-1, 0x80000000u}};
  for (const auto& c : cases) {
    EXPECT_EQ(BitMask(c.n), c.mask) << c.n;
    EXPECT_TRUE(BitSet(c.mask, c.n)) << c.n;
    EXPECT_FALSE(BitSet(~c.mask, c.n)) << c.n;
  }
}

TEST(BitsTest, SetAndClearInPlace) {
  uint32_t w32 = 0;
  SetBit32(w32, 31);
  SetBit32(w32, 3);
  SetBit32(w32, 3);
  EXPECT_EQ(w32, 0x80000008u);
  ClearBit32(w32, 31);
  ClearBit32(w32, 4);
  EXPECT_EQ(w32, 8u);

  uint16_t w16 = 0x00F0;
  SetBit16(w16, 15);
  ClearBit16(w16, 4);
  EXPECT_EQ(w16, 0x80E0);
  SetBit16(w16, 16);  // outside the word
  ClearBit16(w16, 21);
  EXPECT_EQ(w16, 0x80E0);
}

TEST(BitsTest, BitsToTextShowsBit31First) {
  EXPECT_EQ(BitsToText(0x80000001u, "10"), "1" + std::string(30, '0') + "1");
  EXPECT_EQ(BitsToText(0x00000006u, "X."), std::string(29, '.') + "XX.");
  EXPECT_EQ(BitsToText(0, "J"), std::string(32, ' '));
}

}  // namespace
}  // namespace qrv
