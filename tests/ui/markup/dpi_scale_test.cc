#include "ui/markup/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>

namespace ui {
namespace {

TEST(DpiScaleTest, ScalesOnlyWhenAwareAndNotAtHundred) {
  EXPECT_EQ(DpiScale::PercentOfDpi(144), 150);
  EXPECT_EQ(DpiScale::PercentOfDpi(120), 125);
  EXPECT_EQ(DpiScale(150, false).Scale(14), 14);
  EXPECT_EQ(DpiScale(100, true).Scale(14), 14);
  const DpiScale at125(125, true);
  EXPECT_EQ(at125.Scale(14), 18);  // MulDiv rounds 17.5 up
  EXPECT_EQ(at125.Scale(-3), -4);
  const SIZE size = at125.ScaleSize(SIZE{660, 512});
  EXPECT_EQ(size.cx, 825);
  EXPECT_EQ(size.cy, 640);
  // Position plus scaled size: the width stays 3 * 1.25 rounded, wherever the left edge is.
  const RECT r = at125.ScaleRect(RECT{1, 1, 4, 4});
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.right - r.left, 4);
  EXPECT_EQ(r.bottom - r.top, 4);
  // Extremes do not overflow.
  const RECT wide = at125.ScaleRect(RECT{INT_MIN, 0, INT_MAX, 0});
  EXPECT_GE(wide.right, wide.left);
}

}  // namespace
}  // namespace ui
