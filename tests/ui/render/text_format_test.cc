#include "ui/render/text_format.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

using namespace Gdiplus;

TEST(TextFormatTest, DrawFormatComesFromTheStyleBitsOnly) {
  const struct {
    UINT style;
    bool line_limit;
    INT flags;
    StringTrimming trimming;
    StringAlignment alignment, line_alignment;
  } cases[] = {
      // A label's default: single line, no clip, end ellipsis; a button's adds both centrings.
      {0x8120, false, StringFormatFlagsNoClip | StringFormatFlagsNoWrap,
       StringTrimmingEllipsisCharacter, StringAlignmentNear, StringAlignmentNear},
      {0x8125, false, StringFormatFlagsNoClip | StringFormatFlagsNoWrap,
       StringTrimmingEllipsisCharacter, StringAlignmentCenter, StringAlignmentCenter},
      // None of the typographic format's own flags survive; centre wins over right/bottom.
      {DT_RIGHT | DT_BOTTOM, true, StringFormatFlagsLineLimit, StringTrimmingNone,
       StringAlignmentFar, StringAlignmentFar},
      {DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM, false, 0, StringTrimmingNone,
       StringAlignmentCenter, StringAlignmentCenter},
  };
  for (const auto& c : cases) {
    const TextFormatChoice choice = DrawFormatFor(c.style, c.line_limit);
    EXPECT_EQ(choice.flags, c.flags) << std::hex << c.style;
    EXPECT_EQ(choice.trimming, c.trimming) << std::hex << c.style;
    EXPECT_EQ(choice.alignment, c.alignment) << std::hex << c.style;
    EXPECT_EQ(choice.line_alignment, c.line_alignment) << std::hex << c.style;
  }
  EXPECT_EQ(MeasureFlagsFor(DT_SINGLELINE, 0x6004), 0x6004 | StringFormatFlagsNoWrap);
  EXPECT_EQ(MeasureFlagsFor(DT_WORDBREAK, 0x6004), 0x6004);
}

TEST(TextFormatTest, MeasuredBoxIsTruncatedPlusOnePixel) {
  const struct {
    RectF bounds;
    LONG left, top, right, bottom;
  } cases[] = {
      {{2.7f, 1.5f, 12.9f, 16.2f}, 2, 1, 15, 18},
      {{0, 0, 0, 0}, 0, 0, 1, 1},
      {{0, 0, 1e20f, 1e20f}, 0, 0, (1 << 30) + 1, (1 << 30) + 1},
  };
  for (const auto& c : cases) {
    const RECT r = MeasuredRect(c.bounds);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
    EXPECT_EQ(r.right, c.right);
    EXPECT_EQ(r.bottom, c.bottom);
  }
}

}  // namespace
}  // namespace ui
