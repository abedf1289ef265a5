// Painting into a real GDI+ back buffer, checked by a few pixel probes, and the image-based
// size estimate.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "support/scoped_gdiplus.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context_gdiplus.h"

namespace ui {
namespace {

using ui_test::Make;

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kGreen = 0xFF00FF00;

class ControlPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdiplus_.ok());
    ColorTable& colors = GlobalManager::Get().definitions().colors;
    colors.Set(L"red", kRed);
    colors.Set(L"blue", kBlue);
    render_ = std::make_unique<RenderContext_GdiPlus>();
    ASSERT_TRUE(render_->Resize(kWidth, kHeight));
    bmp_ = dir_.Join(L"green.bmp");
    ASSERT_TRUE(ui_test::WriteBmp(bmp_, 46, 32, 0x00FF00));
  }
  uint32_t Pixel(int x, int y) { return render_->GetBits()[y * kWidth + x]; }

  static constexpr int kWidth = 60;
  static constexpr int kHeight = 30;
  vireo::ScopedGdiplus gdiplus_;
  vireo::test::ScopedTempDir dir_;
  std::wstring bmp_;
  std::unique_ptr<RenderContext_GdiPlus> render_;  // before the session ends
};

// The box first, then its children in order, floating ones last; each child clipped to its
// parent and to the update rectangle; hidden children not at all.
TEST_F(ControlPaintTest, OrderAndClipping) {
  Box root;
  root.SetAttribute(L"bkcolor", L"red");
  root.Add(Make({{L"bkcolor", L"blue"}, {L"width", L"10"}, {L"height", L"20"},
                 {L"margin", L"10,0,0,0"}}));  // hangs 10 pixels below the root
  root.Add(Make({{L"bkimage", bmp_.c_str()}, {L"width", L"10"}, {L"height", L"10"},
                 {L"margin", L"30,0,0,0"}}));
  root.Add(Make({{L"bkcolor", L"blue"}, {L"float", L"true"}, {L"width", L"4"},
                 {L"height", L"4"}, {L"margin", L"33,0,0,0"}}));  // over the image
  root.Add(Make({{L"bkcolor", L"blue"}, {L"visible", L"false"}, {L"width", L"5"},
                 {L"height", L"5"}, {L"margin", L"50,0,0,0"}}));
  root.SetPos(RECT{0, 0, 60, 10});

  root.Paint(render_.get(), RECT{0, 0, 60, 10});
  EXPECT_EQ(Pixel(5, 5), kRed);
  EXPECT_EQ(Pixel(15, 5), kBlue);
  EXPECT_EQ(Pixel(15, 15), 0u);  // outside the root: clipped
  EXPECT_EQ(Pixel(31, 8) & 0xFFFFFF, kGreen & 0xFFFFFF);  // an opaque copy may leave alpha 0
  EXPECT_EQ(Pixel(34, 2), kBlue);
  EXPECT_EQ(Pixel(52, 2), kRed);

  render_->Clear();
  root.Paint(render_.get(), RECT{0, 0, 12, 10});
  EXPECT_EQ(Pixel(11, 5), kBlue);
  EXPECT_EQ(Pixel(15, 5), 0u);
}

// A control below full alpha is blended as a whole; at alpha 0 it draws nothing.
TEST_F(ControlPaintTest, ControlAlpha) {
  Box root;
  root.SetAttribute(L"bkcolor", L"red");
  root.Add(Make({{L"bkcolor", L"blue"}, {L"alpha", L"128"}, {L"width", L"10"}}));
  root.Add(Make({{L"bkcolor", L"blue"}, {L"alpha", L"0"}, {L"width", L"10"},
                 {L"margin", L"20,0,0,0"}}));
  root.SetPos(RECT{0, 0, 60, 10});
  root.Paint(render_.get(), RECT{0, 0, 60, 10});
  const uint32_t blended = Pixel(5, 5);
  EXPECT_EQ(blended >> 24, 0xFFu);
  EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 127, 2);
  EXPECT_NEAR(static_cast<int>(blended & 0xFF), 128, 2);
  EXPECT_EQ(Pixel(25, 5), kRed);
}

// An auto size comes from the image: a complete source part alone, else the picture's own
// size; both scaled. An image that cannot be loaded adds nothing.
TEST_F(ControlPaintTest, ImageDecidesAutoSize) {
  const std::wstring file = bmp_;
  struct Case {
    std::wstring image;
    const wchar_t* width;
    int percent;
    SIZE expected;
  };
  const Case cases[] = {
      {file, L"auto", 100, {46, 32}},
      {file, L"auto", 150, {69, 48}},
      {file, L"10", 100, {10, 32}},
      {L"file='" + file + L"' source='0,0,20,8'", L"auto", 150, {30, 12}},
      {L"file='missing.png' source='0,0,20,8'", L"auto", 100, {20, 8}},
      {dir_.Join(L"missing.bmp"), L"auto", 100, {0, 0}},
  };
  for (const Case& c : cases) {
    ui_test::ScopedDpi dpi(c.percent);
    std::unique_ptr<Control> control(
        Make({{L"width", c.width}, {L"height", L"auto"}, {L"normalimage", c.image.c_str()}}));
    EXPECT_EQ(control->EstimateSize(SIZE{500, 500}), c.expected) << c.image;
  }
}

}  // namespace
}  // namespace ui
