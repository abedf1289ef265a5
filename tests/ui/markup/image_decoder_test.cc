#include "ui/markup/image_decoder.h"

#include <gtest/gtest.h>

#include "support/scoped_gdiplus.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/ui/markup/markup_fixtures.h"

namespace ui {
namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(ImageDecoderTest, PremultipliedFramesAndTheAlphaRule) {
  vireo::ScopedGdiplus gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  // 3 x 2: opaque red, half-transparent white, transparent, then opaque blue, green, black.
  const std::string translucent =
      test::MakePng(3, 2, {0xFFFF0000, 0x80FFFFFF, 0x00000000, 0xFF0000FF, 0xFF00FF00, 0xFF000000});
  const auto image = DecodeImageBytes(Bytes(translucent), translucent.size(), L"mem.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->path, L"mem.png");
  ASSERT_EQ(image->frames.size(), 1u);
  EXPECT_TRUE(image->delays_ms.empty());
  EXPECT_TRUE(image->has_alpha);
  const uint32_t* px = image->frames[0].pixels;
  EXPECT_EQ(px[0], 0xFFFF0000u);
  EXPECT_EQ(px[1] >> 24, 0x80u);
  EXPECT_NEAR(static_cast<int>(px[1] & 0xFF), 0x80, 1);  // premultiplied
  EXPECT_EQ(px[2], 0u);
  EXPECT_EQ(px[3], 0xFF0000FFu);  // rows top-down

  const std::string opaque = test::MakePng(2, 1, {0xFF102030, 0xFF405060});
  const auto solid = DecodeImageBytes(Bytes(opaque), opaque.size(), L"solid.png");
  ASSERT_NE(solid, nullptr);
  EXPECT_FALSE(solid->has_alpha);

  vireo::test::ScopedTempDir dir;
  const std::wstring file = dir.Join(L"solid.png");
  ASSERT_TRUE(vireo::test::WriteFileBytes(file, opaque));
  const auto from_disk = DecodeImageFile(file);
  ASSERT_NE(from_disk, nullptr);
  EXPECT_EQ(from_disk->frames[0].pixels[1], 0xFF405060u);

  const std::string junk = "\x89PNG not really";
  EXPECT_EQ(DecodeImageBytes(Bytes(junk), junk.size(), L"junk.png"), nullptr);
  EXPECT_EQ(DecodeImageBytes(nullptr, 0, L"none.png"), nullptr);
  EXPECT_EQ(DecodeImageFile(dir.Join(L"missing.png")), nullptr);
}

}  // namespace
}  // namespace ui
