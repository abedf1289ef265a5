#include "ui/render/colour_alpha.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

// The text brush's cap at 254 is probed in pixels (gdiplus_text_test.cc).
TEST(ColourAlphaTest, AlphaScalesTheColoursOwnAlpha) {
  EXPECT_EQ(ScaleAlpha(0x80315B9F, 255), 0x80315B9Fu);
  EXPECT_EQ(ScaleAlpha(0x80315B9F, 128), 0x40315B9Fu);  // 128 * 128 / 255, truncated
  EXPECT_EQ(TextBrushColour(0xFF333333, 128), 0x80333333u);
}

}  // namespace
}  // namespace ui
