#include "ui/render/render_context_gdiplus.h"

#include <memory>

#include "tests/ui/render/pixel_probe.h"
#include "ui/render/render_factory_gdiplus.h"

namespace ui {
namespace {

using testing::Argb;
using testing::MakeBitmap;
using testing::Near;

constexpr uint32_t kGrey = 0xFFE8E8E8;
constexpr uint32_t kBarBlue = 0xFF315B9F;

class RenderContextTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 40;
  void SetUp() override {
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(context_->Resize(kWidth, kHeight));
  }
  uint32_t At(int x, int y) { return context_->GetBits()[y * kWidth + x]; }
  void FillAll(uint32_t colour) { context_->FillRect({0, 0, kWidth, kHeight}, colour, 255); }

  RenderFactory_GdiPlus factory_;
  std::unique_ptr<IRenderContext> context_ = factory_.CreateRenderContext();
};

TEST_F(RenderContextTest, FillCoversExactlyItsPixelsInPremultipliedColour) {
  // A 612-pixel bar at 47.5 %: 290 pixels of blue over the grey track.
  context_->FillRect({10, 20, 622, 30}, kGrey, 255);
  context_->FillRect({10, 20, 300, 30}, kBarBlue, 255);
  EXPECT_EQ(Argb(At(10, 20)), Argb(kBarBlue));
  EXPECT_EQ(Argb(At(299, 29)), Argb(kBarBlue));
  EXPECT_EQ(Argb(At(300, 20)), Argb(kGrey));
  EXPECT_EQ(Argb(At(621, 29)), Argb(kGrey));
  for (const POINT p : {POINT{9, 20}, POINT{622, 20}, POINT{10, 19}, POINT{10, 30}}) {
    EXPECT_EQ(At(p.x, p.y), 0u) << p.x << "," << p.y;
  }
  context_->FillRect({0, 0, 4, 4}, 0x80FF0000, 255);
  EXPECT_TRUE(Near(At(1, 1), 0x80800000, 1)) << Argb(At(1, 1));
}

TEST_F(RenderContextTest, ClipsNestAndRestoreAndStayPutWhenTheOriginMoves) {
  {
    ScopedClip update(*context_, {0, 0, 100, 40});
    {
      ScopedClip control(*context_, {50, 10, 200, 20});
      FillAll(0xFF0000FF);
    }
    EXPECT_EQ(Argb(At(50, 10)), Argb(0xFF0000FF));
    EXPECT_EQ(Argb(At(99, 19)), Argb(0xFF0000FF));
    for (const POINT p : {POINT{49, 15}, POINT{100, 15}, POINT{60, 20}}) {
      EXPECT_EQ(At(p.x, p.y), 0u) << p.x << "," << p.y;
    }
    context_->SetWindowOrg({100, 0});
    EXPECT_EQ(context_->GetClipBox().right, 200);
    FillAll(0xFF00FF00);  // logical 0..640 is pixels -100..540: inside the clip, pixels 0..99
    context_->SetWindowOrg({0, 0});
  }
  EXPECT_EQ(Argb(At(0, 39)), Argb(0xFF00FF00));
  EXPECT_EQ(At(100, 0), 0u);
  ScopedClip outside(*context_, {700, 0, 800, 10});
  FillAll(0xFF123456);
  EXPECT_EQ(Argb(At(0, 0)), Argb(0xFF00FF00));
}

TEST_F(RenderContextTest, OriginMovesFillsImagesAndGdiAlike) {
  context_->SetWindowOrg({100, 10});
  context_->FillRect({100, 10, 102, 12}, 0xFF0000FF, 255);
  const auto image = MakeBitmap(2, 2, [](int, int) { return 0xFF00FF00u; });
  const RECT dest{110, 10, 112, 12};
  context_->DrawImage(dest, image.get(), false, dest, {0, 0, 2, 2}, {}, {}, 255, false, false);
  const RECT gdi{120, 10, 122, 12};
  ::FillRect(context_->GetDC(), &gdi, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(Argb(At(1, 1)), Argb(0xFF0000FF));
  EXPECT_EQ(Argb(At(11, 1)), Argb(0xFF00FF00));
  EXPECT_EQ(testing::Rgb(At(21, 1)), 0xFFFFFFu);
}

TEST_F(RenderContextTest, LayerBlendsItsContentWithItsAlpha) {
  FillAll(0xFF404040);
  const auto white = MakeBitmap(4, 4, [](int, int) { return 0xFFFFFFFFu; });
  {
    ScopedClip clip(*context_, {10, 10, 30, 20});
    ScopedLayer layer(*context_, 128);
    context_->FillRect({10, 10, 20, 20}, 0xFFFFFFFF, 255);
    // Scaled and opaque, yet blended: a GDI copy would leave alpha 0 and add up.
    context_->DrawImage({0, 0, 640, 40}, white.get(), false, {20, 10, 30, 20}, {0, 0, 4, 4}, {}, {},
                        255, false, false);
    EXPECT_EQ(Argb(At(15, 15)), Argb(0xFF404040)) << "nothing reaches the buffer before the end";
  }
  EXPECT_TRUE(Near(At(15, 15), 0xFFA0A0A0, 2)) << Argb(At(15, 15));
  EXPECT_TRUE(Near(At(25, 15), 0xFFA0A0A0, 2)) << Argb(At(25, 15));
  EXPECT_EQ(Argb(At(9, 15)), Argb(0xFF404040));
}

TEST_F(RenderContextTest, AnOpaqueImageScaledByGdiLeavesOpaquePixels) {
  // Text drawn later blends with the alpha beneath it: alpha 0 there turns its edges dark.
  context_->Clear();
  const auto image = MakeBitmap(10, 10, [](int, int) { return 0xFF336699u; });
  ScopedClip clip(*context_, {0, 0, 30, 40});
  context_->DrawImage({0, 0, 640, 40}, image.get(), false, {20, 10, 40, 30}, {0, 0, 10, 10}, {},
                      {}, 255, false, false);
  EXPECT_EQ(Argb(At(25, 15)), Argb(0xFF336699));
  EXPECT_EQ(At(29, 29) >> 24, 0xFFu);
  EXPECT_EQ(At(30, 15), 0u) << "beyond the clip nothing changes";
  EXPECT_EQ(At(19, 15), 0u);
}

TEST_F(RenderContextTest, TenThousandPaintCyclesLeakNoGdiObjectsNorHeap) {
  const int baseline = testing::CountGdiObjects();
  {
    vireo::ScopedBrush brushes[10];
    for (auto& b : brushes) b.reset(::CreateSolidBrush(0));
    ASSERT_EQ(testing::CountGdiObjects(), baseline + 10) << "the count must see new objects";
  }
  vireo::ScopedFont font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
  const auto image = MakeBitmap(46, 32, [](int x, int) { return x < 23 ? kBarBlue : 0x80000000; });
  auto cycle = [&](int i) {
    context_->Resize(100 + i % 2, 40);
    ScopedClip clip(*context_, {0, 0, 90, 40});
    context_->FillRect({0, 0, 90, 40}, kGrey, 255);
    context_->DrawImage({0, 0, 90, 40}, image.get(), true, {0, 0, 92, 32}, {0, 0, 46, 32},
                        {4, 4, 4, 4}, {6, 6, 6, 6}, 200, true, false);
    ScopedLayer layer(*context_, 100);
    context_->MeasureText(L"Vireo 安装", font.get(), DT_SINGLELINE, -1);
    context_->DrawText({0, 0, 90, 40}, L"Vireo 安装", 0xFF333333, font.get(), 0x8125, 255, false);
  };
  cycle(0);  // the first cycle creates GDI+'s own lasting objects
  const int objects = testing::CountGdiObjects();
  const size_t heap = testing::HeapBytesInUse();
  for (int i = 1; i <= 10000; ++i) cycle(i);
  EXPECT_LE(testing::CountGdiObjects(), objects);
  // GDI+ objects live on the heap: one left behind per cycle would add 10,000 blocks.
  EXPECT_LT(testing::HeapBytesInUse(), heap + 64 * 1024);
}

}  // namespace
}  // namespace ui
