// The clock of corekit/time_now.h across the 32-bit wrap of the tick counter.
#include "corekit/time_now.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<DWORD> g_ticks{0};
DWORD FakeTicks() { return g_ticks.load(); }

class CorekitTimeNowTest : public ::testing::Test {
 protected:
  void SetUp() override { corekit::testing::SetTickSourceForTesting(&FakeTicks); }
  void TearDown() override { corekit::testing::SetTickSourceForTesting(nullptr); }
};

// The value keeps increasing across several wraps, by exactly the elapsed milliseconds.
TEST_F(CorekitTimeNowTest, KeepsIncreasingAcrossRollover) {
  g_ticks = 0xFFFFFF00u;
  const int64_t before = corekit::TimeNow();
  g_ticks = 0xFFFFFFFFu;
  const int64_t at_top = corekit::TimeNow();
  g_ticks = 5;
  const int64_t after = corekit::TimeNow();
  EXPECT_EQ(at_top - before, 0xFFll * 1000);
  EXPECT_EQ(after - at_top, 6 * 1000);
  // A second wrap adds another 2^32 ms.
  g_ticks = 0xFFFFFFF0u;
  const int64_t second_top = corekit::TimeNow();
  g_ticks = 0x10u;
  const int64_t second_after = corekit::TimeNow();
  EXPECT_GT(second_top, after);
  EXPECT_EQ(second_after - second_top, 0x20ll * 1000);
  EXPECT_EQ(second_after, ((int64_t{2} << 32) + 0x10) * 1000);
  // An unchanged reading is not a wrap.
  EXPECT_EQ(corekit::TimeNow(), second_after);
}

// The real counter: readings are in microseconds of a millisecond clock and never decrease.
TEST(CorekitTimeNowRealTest, RealClockIsMonotonicMilliseconds) {
  int64_t last = corekit::TimeNow();
  for (int i = 0; i < 1000; ++i) {
    const int64_t now = corekit::TimeNow();
    ASSERT_GE(now, last);
    ASSERT_EQ(now % 1000, 0);
    last = now;
  }
}

}  // namespace
