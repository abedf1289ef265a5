#include "ui/widgets/text_style.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(TextStyleTest, AlignWordsEditTheStyleInTheirOrder) {
  struct Case {
    UINT from;
    const wchar_t* align;
    UINT expected;
  };
  const Case cases[] = {
      {kLabelTextStyle, L"left", DT_NOCLIP | DT_END_ELLIPSIS},
      {kLabelTextStyle | DT_RIGHT, L"center", kLabelTextStyle | DT_CENTER},
      {kButtonTextStyle, L"right", DT_NOCLIP | DT_END_ELLIPSIS | DT_RIGHT},
      {kButtonTextStyle | DT_BOTTOM, L"top", kLabelTextStyle | DT_CENTER},
      {DT_BOTTOM, L"bottom", DT_BOTTOM | DT_SINGLELINE},
      // "vcenter" also contains "center"; after "left" the label ends centred both ways.
      {kLabelTextStyle, L"left vcenter", kButtonTextStyle},
      // "right" undoes the "center" inside "vcenter", which then centres again: DT_RIGHT stays.
      {0, L"right vcenter", DT_RIGHT | DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {kLabelTextStyle, L"nothing known", kLabelTextStyle},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyAlign(c.from, c.align), c.expected) << c.align;
  }
}

TEST(TextStyleTest, EndEllipsisOnlyForTrueAndSingleLineReplacedWhenDrawing) {
  EXPECT_EQ(ApplyEndEllipsis(0, L"true"), static_cast<UINT>(DT_END_ELLIPSIS));
  EXPECT_EQ(ApplyEndEllipsis(kLabelTextStyle, L"TRUE"), kLabelTextStyle & ~DT_END_ELLIPSIS);
  EXPECT_EQ(EffectiveTextStyle(kLabelTextStyle, false), kLabelTextStyle & ~DT_SINGLELINE);
  EXPECT_EQ(EffectiveTextStyle(DT_CENTER, true), static_cast<UINT>(DT_CENTER | DT_SINGLELINE));
}

}  // namespace
}  // namespace ui
