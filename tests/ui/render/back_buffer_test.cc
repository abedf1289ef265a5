#include "ui/render/back_buffer.h"

#include "tests/ui/render/pixel_probe.h"

namespace ui {
namespace {

using BackBufferTest = testing::BufferTest;

TEST_F(BackBufferTest, ResizeReportsChangesAndStartsTransparent) {
  EXPECT_FALSE(buffer_.Resize(kWidth, kHeight));
  At(5, 5) = 0xFF123456;
  EXPECT_TRUE(buffer_.Resize(kWidth, kHeight + 1));
  EXPECT_EQ(At(5, 5), 0u);
  EXPECT_TRUE(buffer_.Resize(-3, 7));  // negative counts as 0: empty
  EXPECT_EQ(buffer_.bits(), nullptr);
  EXPECT_FALSE(buffer_.Resize(0, 7)) << "empty stays empty";
  EXPECT_FALSE(buffer_.Resize(1 << 30, 1 << 30)) << "impossible: still empty";
  EXPECT_EQ(buffer_.width(), 0);
  EXPECT_EQ(buffer_.gdiplus_bitmap(), nullptr);
}

}  // namespace
}  // namespace ui
