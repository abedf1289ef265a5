#include "ui/widgets/progress.h"

#include "tests/ui/render/pixel_probe.h"
#include "tests/ui/widgets/widget_test_host.h"

namespace ui {
namespace {

using testing::Argb;
using testing::TestHost;

class ProgressTest : public testing::SkinTest {};

TEST_F(ProgressTest, InstallerBarAtFortySevenAndAHalfFills290PixelsOfBlueOverGrey) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<Progress name=\"p\" width=\"612\" height=\"10\" "
                        L"bkcolor=\"bk_progress_color\" progresscolor=\"progress_color\"/>",
                        SIZE{640, 20}));
  auto* progress = host.Find<Progress>(L"p");
  progress->SetValue(47.5);
  host.PaintAll();

  for (int y : {0, 9}) {
    int blue = 0;
    int grey = 0;
    for (int x = 0; x < 612; ++x) {
      const uint32_t pixel = host.Pixel(x, y);
      blue += pixel == 0xFF315B9F;
      grey += pixel == 0xFFE8E8E8;
    }
    EXPECT_EQ(blue, 290) << "row " << y;
    EXPECT_EQ(grey, 612 - 290) << "row " << y;
  }
  EXPECT_EQ(Argb(host.Pixel(289, 5)), "#ff315b9f");
  EXPECT_EQ(Argb(host.Pixel(290, 5)), "#ffe8e8e8");
  EXPECT_EQ(host.Pixel(612, 5), 0u);  // nothing outside the bar
}

TEST_F(ProgressTest, ForegroundImageIsDrawnOnlyOverTheVerticalForegroundPart) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<Progress name=\"p\" hor=\"false\" width=\"46\" height=\"32\" "
                        L"value=\"25\" progressimage=\"file='../button/btn_select_path.png' "
                        L"source='0,0,46,32'\"/>",
                        SIZE{46, 32}));
  host.PaintAll();
  // Up from the bottom: 32 x (100 - 25) / 100 = 24, so rows 24..31 are drawn, 0..23 not.
  int drawn_above = 0;
  int drawn_below = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 46; ++x) (y < 24 ? drawn_above : drawn_below) += host.Pixel(x, y) != 0;
  }
  EXPECT_EQ(drawn_above, 0);
  EXPECT_GT(drawn_below, 0);
  EXPECT_EQ(host.Find<Progress>(L"p")->GetProgressImage(),
            L"file='../button/btn_select_path.png' source='0,0,46,32'");
}

}  // namespace
}  // namespace ui
