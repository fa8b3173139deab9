#include "platform/fixed_clock.h"

#include <gtest/gtest.h>

namespace qrv::platform {
namespace {

// The cache's last-use order depends on ticks changing sign after 2^31 and wrapping after 2^32.
TEST(FixedClock, TicksPastTheSignBitAndTheWrap) {
  FixedClock clock(46366.5, 0x7FFFFFFFu);
  clock.Advance(2);
  EXPECT_EQ(clock.Ticks(), 0x80000001u);
  EXPECT_DOUBLE_EQ(clock.Now(), 46366.5 + 2 / 86400000.0);
  clock.SetTicks(0xFFFFFFFFu);
  clock.Advance(3);
  EXPECT_EQ(clock.Ticks(), 2u);
  clock.SetTickStep(5);
  EXPECT_EQ(clock.Ticks(), 2u);
  EXPECT_EQ(clock.Ticks(), 7u);
  clock.SetNow(45292);
  EXPECT_EQ(clock.Now(), 45292);
}

}  // namespace
}  // namespace qrv::platform
