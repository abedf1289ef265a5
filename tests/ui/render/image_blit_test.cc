#include "ui/render/image_blit.h"

#include "tests/ui/render/pixel_probe.h"

namespace ui {
namespace {

using testing::Argb;
using testing::MakeBitmap;
using testing::Near;
using testing::Rgb;

constexpr uint32_t kBlue = 0xFF000080;
constexpr RECT kAll{0, 0, 200, 80};

class ImageBlitTest : public testing::BufferTest {
 protected:
  void Blit(HBITMAP bitmap, const RECT& dest, const RECT& source, const ImageBlend& blend,
            const RECT& paint = kAll) {
    BlitImage(buffer_.dc(), paint, bitmap, ImageGeometry{dest, source, {}, {}, false, false},
              blend);
  }
};

TEST_F(ImageBlitTest, SourceCellOfAStripDrawsOnlyThatCell) {
  Paint(kBlue);
  const uint32_t cells[] = {0xFFAA0000, 0xFF00AA00, 0xFF0000AA, 0xFFAAAA00};
  const auto strip = MakeBitmap(184, 32, [&](int x, int) { return cells[x / 46]; });
  Blit(strip.get(), {10, 10, 56, 42}, {0, 0, 46, 32}, {});
  Blit(strip.get(), {100, 10, 146, 42}, {138, 0, 184, 32}, {});
  EXPECT_EQ(Argb(At(10, 10)), Argb(cells[0]));
  EXPECT_EQ(Argb(At(55, 41)), Argb(cells[0]));
  EXPECT_EQ(Argb(At(145, 41)), Argb(cells[3]));
  for (const POINT p : {POINT{9, 10}, POINT{56, 10}, POINT{10, 42}, POINT{146, 41}}) {
    EXPECT_EQ(Argb(At(p.x, p.y)), Argb(kBlue)) << p.x << "," << p.y;
  }
}

TEST_F(ImageBlitTest, BlendsUnlessAnOpaqueImageIsScaled) {
  // Alpha 0 with a colour breaks the bitmap contract on purpose, to tell the two paths apart:
  // a copy shows the red alone, a premultiplied blend adds it to the blue below.
  const auto image = MakeBitmap(10, 10, [](int, int) { return 0x00400000u; });
  const struct {
    const char* name;
    ImageBlend blend;
    int size;
    uint32_t blue;
  } cases[] = {
      {"opaque, scaled: copied", {false, 255, false}, 20, 0},
      {"opaque, same size", {false, 255, false}, 10, 0x80},
      {"transparent, scaled", {true, 255, false}, 20, 0x80},
      {"faded, scaled", {false, 200, false}, 20, 0x80},
      {"always-blend, scaled", {false, 255, true}, 20, 0x80},
  };
  for (const auto& c : cases) {
    Paint(kBlue);
    Blit(image.get(), {0, 0, c.size, c.size}, {0, 0, 10, 10}, c.blend);
    EXPECT_NE(At(5, 5) & 0x00FF0000, 0u) << c.name << " " << Argb(At(5, 5));
    EXPECT_EQ(At(5, 5) & 0xFF, c.blue) << c.name << " " << Argb(At(5, 5));
  }
}

TEST_F(ImageBlitTest, FadeIsTheConstantAlpha) {
  Paint(0xFF000000);
  const auto white = MakeBitmap(10, 10, [](int, int) { return 0xFFFFFFFFu; });
  Blit(white.get(), {0, 0, 10, 10}, {0, 0, 10, 10}, {false, 128, false});
  EXPECT_TRUE(Near(At(5, 5), 0xFF808080, 2)) << Argb(At(5, 5));
}

TEST_F(ImageBlitTest, NineGridScalesOnlyCornersAndTilesTheMiddle) {
  // 6 x 6: 2-pixel corners K, edges E, a 2 x 2 middle of two columns M1 and M2. Drawn 13 x 12
  // with borders scaled to 3 and tiled across: the middle 7 columns read M1 M2 M1 M2 M1 M2 M1
  // (the last tile cut), the middle rows stretch from 2 to 6. GDI copies the stretched parts
  // without alpha, so probes compare colours only.
  constexpr uint32_t K = 0x101010, E = 0x202020, M1 = 0x303030, M2 = 0x404040;
  const auto image = MakeBitmap(6, 6, [&](int x, int y) {
    const bool mid_x = x == 2 || x == 3, mid_y = y == 2 || y == 3;
    return 0xFF000000 | (mid_x && mid_y ? (x == 2 ? M1 : M2) : mid_x || mid_y ? E : K);
  });
  Paint(kBlue);
  BlitImage(buffer_.dc(), kAll, image.get(),
            {{0, 0, 13, 12}, {0, 0, 6, 6}, {2, 2, 2, 2}, {3, 3, 3, 3}, true, false}, {});
  const struct {
    int x, y;
    uint32_t colour;
  } probes[] = {{0, 0, K},  {2, 2, K},  {12, 11, K}, {0, 9, K},          {0, 3, E},
                {0, 8, E},  {8, 0, E},  {3, 3, M1},  {4, 8, M2},         {7, 5, M1},
                {8, 5, M2}, {9, 5, M1}, {10, 5, E},  {13, 5, Rgb(kBlue)}};
  for (const auto& p : probes) {
    EXPECT_TRUE(Near(Rgb(At(p.x, p.y)), p.colour, 2))
        << p.x << "," << p.y << ": " << Argb(At(p.x, p.y));
  }
}

TEST_F(ImageBlitTest, SourceBeyondTheImageIsCutAndDestOutsidePaintIsSkipped) {
  const auto image = MakeBitmap(46, 32, [](int, int) { return 0xFFAA0000u; });
  Blit(image.get(), {0, 0, 50, 32}, {0, 0, 50, 32}, {});  // same size: AlphaBlend would refuse
  EXPECT_EQ(Argb(Rgb(At(49, 31))), Argb(0xAA0000));
  Blit(image.get(), {100, 0, 146, 32}, {0, 0, 46, 32}, {}, RECT{0, 0, 90, 80});
  EXPECT_EQ(At(100, 0), 0u);
}

}  // namespace
}  // namespace ui
