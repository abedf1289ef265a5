#include "ui/widgets/progress_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace ui {
namespace {

TEST(ProgressGeometryTest, RangeIsRepairedAndTheValueClamped) {
  struct Case {
    ProgressRange in;
    ProgressRange out;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {{0, 100, 47.5}, {0, 100, 47.5}},
      {{10, 10, 50}, {10, 11, 11}},    // max not above min -> min + 1
      {{10, 3, -4}, {10, 11, 10}},
      {{0, 100, 250}, {0, 100, 100}},  // clamped, not wrapped
      {{0, 100, nan}, {0, 100, 0}},
      {{INT_MAX, INT_MAX, 1e300}, {INT_MAX - 1, INT_MAX, INT_MAX}},  // no overflow
  };
  for (const Case& c : cases) {
    const ProgressRange out = NormalizeProgress(c.in);
    EXPECT_EQ(out.min, c.out.min) << c.in.min << ".." << c.in.max;
    EXPECT_EQ(out.max, c.out.max) << c.in.min << ".." << c.in.max;
    EXPECT_EQ(out.value, c.out.value) << c.in.min << ".." << c.in.max;
  }
}

TEST(ProgressGeometryTest, ForegroundIsTruncatedFromTheLeftOrUpFromTheBottom) {
  // 612 x 0.475 = 290.7: the installer's bar at 47.5 % fills 290 pixels.
  RECT part = ProgressForeground({0, 100, 47.5}, 612, 10, true);
  EXPECT_EQ(part.left, 0);
  EXPECT_EQ(part.right, 290);
  EXPECT_EQ(part.bottom, 10);
  EXPECT_EQ(ProgressForeground({0, 100, 100}, 612, 10, true).right, 612);
  EXPECT_EQ(ProgressForeground({-50, 50, -50}, 612, 10, true).right, 0);
  // Vertical: 10 x (100 - 47.5) / 100 = 5.25 -> the top at 5.
  part = ProgressForeground({0, 100, 47.5}, 12, 10, false);
  EXPECT_EQ(part.top, 5);
  EXPECT_EQ(part.right, 12);
  EXPECT_EQ(part.bottom, 10);
}

}  // namespace
}  // namespace ui
