#include "ui/render/gdiplus_text.h"

#include <algorithm>

#include "tests/ui/render/pixel_probe.h"

namespace ui {
namespace {

class GdiplusTextTest : public testing::BufferTest {
 protected:
  void SetUp() override {
    BufferTest::SetUp();
    // Large and bold, so some pixels lie wholly inside a stroke whatever the font's shapes.
    font_.reset(::CreateFontW(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
    graphics_ = std::make_unique<Gdiplus::Graphics>(buffer_.gdiplus_bitmap());
  }
  RECT Measure(std::wstring_view text, UINT style, int width_limit) {
    return MeasureTextWith(*graphics_, buffer_.dc(), text, font_.get(), style, width_limit);
  }

  vireo::ScopedFont font_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

TEST_F(GdiplusTextTest, OpaqueColourDrawsWithAlpha254) {
  DrawTextWith(*graphics_, buffer_.dc(), {0, 0, kWidth, kHeight}, L"HW", 0xFF333333, font_.get(),
               DT_SINGLELINE, 255, false);
  const uint32_t* bits = buffer_.bits();
  EXPECT_EQ(*std::max_element(bits, bits + kWidth * kHeight) >> 24, 254u);
}

// The pixel added to the measured box is tested where it is computed (text_format_test.cc).
TEST_F(GdiplusTextTest, SingleLineWithAWidthLimitIsMeasuredOneCapitalHigh) {
  const std::wstring_view text = L"Vireo\nVireo";  // the line break makes a second line
  const RECT unbounded = Measure(text, DT_SINGLELINE, -1);
  const RECT limited = Measure(text, DT_SINGLELINE, 150);
  EXPECT_EQ(limited.bottom, Measure(L"A", DT_SINGLELINE, -1).bottom);
  EXPECT_LT(limited.bottom, unbounded.bottom);
  EXPECT_EQ(Measure(L"", DT_SINGLELINE, -1).right, 0);
}

TEST_F(GdiplusTextTest, CjkFaceNameReachesGdiplusIntact) {
  // Through an ANSI LOGFONT the face would arrive as "??????", a face no system has, and the
  // text would be measured in another. The test prefix installs WenQuanYi Micro Hei under its
  // Chinese name too (tools/wine_prefix.sh).
  auto width = [&](const wchar_t* face) {
    const vireo::ScopedFont font(::CreateFontW(-20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, face));
    return MeasureTextWith(*graphics_, buffer_.dc(), L"Vireo", font.get(), DT_SINGLELINE, -1).right;
  };
  EXPECT_EQ(width(L"文泉驿微米黑"), width(L"WenQuanYi Micro Hei"));
  EXPECT_NE(width(L"文泉驿微米黑"), width(L"??????"));
}

}  // namespace
}  // namespace ui
