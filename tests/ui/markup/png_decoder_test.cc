#include "ui/markup/png_decoder.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scoped_gdiplus.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"
#include "tests/ui/markup/markup_fixtures.h"
#include "ui/markup/image_decoder.h"

namespace ui {
namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Filters one row of samples with PNG filter |type| (0-4), the first byte being the type.
std::string FilterRow(int type, const std::string& row, const std::string& above, size_t pixel) {
  std::string out(1, static_cast<char>(type));
  for (size_t i = 0; i < row.size(); ++i) {
    const int a = i >= pixel ? static_cast<uint8_t>(row[i - pixel]) : 0;
    const int b = static_cast<uint8_t>(above[i]);
    const int c = i >= pixel ? static_cast<uint8_t>(above[i - pixel]) : 0;
    int predicted = 0;
    if (type == 1) predicted = a;
    if (type == 2) predicted = b;
    if (type == 3) predicted = (a + b) / 2;
    if (type == 4) {
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
    }
    out += static_cast<char>(static_cast<uint8_t>(row[i]) - predicted);
  }
  return out;
}

// A |width| x |height| PNG of colour type |colour| (2 or 6) whose rows use the five filters
// in turn, with samples that vary in every channel (alpha included).
std::string FilteredPng(int width, int height, uint8_t colour) {
  const size_t pixel = colour == 6 ? 4 : 3;
  std::string rows, above(width * pixel, '\0');
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (size_t i = 0; i < width * pixel; ++i) row += static_cast<char>((i * 37 + y * 101 + (i % pixel) * 59) & 0xFF);
    rows += FilterRow(y % 5, row, above, pixel);
    above = row;
  }
  uLongf packed_size = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(packed_size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &packed_size, Bytes(rows), static_cast<uLong>(rows.size()));
  packed.resize(packed_size);
  std::string png(test::kPngSignature);
  test::PutChunk(png, "IHDR", test::PngHeader(width, height, colour));
  test::PutChunk(png, "tEXt", std::string("Comment\0made by a test", 22));  // harmless
  test::PutChunk(png, "IDAT", packed.substr(0, packed.size() / 2));  // data split across chunks
  test::PutChunk(png, "IDAT", packed.substr(packed.size() / 2));
  test::PutChunk(png, "IEND", "");
  return png;
}

// GDI+'s decode of the same bytes, through a file so the fast path is not taken.
std::shared_ptr<DecodedImage> GdiplusDecode(const std::string& png) {
  vireo::test::ScopedTempDir dir;
  const std::wstring file = dir.Join(L"image.png");
  if (!vireo::test::WriteFileBytes(file, png)) return nullptr;
  return DecodeImageFile(file);
}

void ExpectSameAsGdiplus(const std::string& png, const std::string& what) {
  const auto fast = DecodePlainPng(Bytes(png), png.size(), L"x.png");
  const auto gdiplus = GdiplusDecode(png);
  ASSERT_NE(fast, nullptr) << what;
  ASSERT_NE(gdiplus, nullptr) << what;
  ASSERT_EQ(fast->width, gdiplus->width) << what;
  ASSERT_EQ(fast->height, gdiplus->height) << what;
  ASSERT_EQ(fast->frames.size(), 1u) << what;
  EXPECT_EQ(fast->has_alpha, gdiplus->has_alpha) << what;
  EXPECT_EQ(fast->path, L"x.png");
  const size_t count = static_cast<size_t>(fast->width) * fast->height;
  size_t differ = 0;
  for (size_t i = 0; i < count; ++i) differ += fast->frames[0].pixels[i] != gdiplus->frames[0].pixels[i];
  EXPECT_EQ(differ, 0u) << what << ": pixels unlike GDI+'s";
}

// Every filter, both colour types, and every image of the installer's skin: the pixels and
// the alpha flag GDI+ gives.
TEST(PngDecoderTest, DecodesAsGdiplusDoes) {
  vireo::ScopedGdiplus gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  ExpectSameAsGdiplus(FilteredPng(23, 10, 6), "RGBA, filters 0-4");
  ExpectSameAsGdiplus(FilteredPng(17, 10, 2), "RGB, filters 0-4");
  ExpectSameAsGdiplus(test::MakePng(2, 1, {0xFF102030, 0xFF405060}), "opaque RGBA");
  int skin_images = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(vireo::test::SourcePath("resources/skin"))) {
    if (entry.path().extension() != ".png") continue;
    const std::string png = vireo::test::ReadFileBytes(entry.path().wstring());
    ExpectSameAsGdiplus(png, entry.path().string());
    ++skin_images;
  }
  EXPECT_GT(skin_images, 10);
}

// What the decoder leaves to GDI+: other kinds of PNG, colour chunks and damaged files.
TEST(PngDecoderTest, LeavesEverythingElseToGdiplus) {
  const std::string good = test::MakePng(3, 2, {1, 2, 3, 4, 5, 6});
  ASSERT_NE(DecodePlainPng(Bytes(good), good.size(), L"g.png"), nullptr);
  const size_t header_at = test::kPngSignature.size() + 8;  // IHDR's data
  const auto with_header = [&](size_t offset, char value) {
    std::string png(test::kPngSignature);
    std::string header = test::PngHeader(3, 2, 6);
    header[offset] = value;
    test::PutChunk(png, "IHDR", header);
    return png + good.substr(header_at + 13 + 4);  // the rest of |good| after IHDR's CRC
  };
  const auto with_chunk_before_iend = [&](const char* type) {
    std::string png = good.substr(0, good.size() - 12);
    test::PutChunk(png, type, std::string(4, '\0'));
    test::PutChunk(png, "IEND", "");
    return png;
  };
  std::string bad_crc = good;
  bad_crc[header_at + 13] ^= 1;  // IHDR's CRC
  const struct {
    std::string png;
    const char* what;
  } cases[] = {
      {"", "empty"},
      {"GIF89a", "not a PNG"},
      {good.substr(0, good.size() - 12), "no IEND"},
      {good.substr(0, good.size() - 1), "truncated"},
      {bad_crc, "a CRC that does not match"},
      {with_header(8, 16), "16 bits per sample"},
      {with_header(9, 3), "a palette"},
      {with_header(9, 0), "grey"},
      {with_header(12, 1), "interlaced"},
      {with_header(3, 0), "no pixels wide"},
      {with_chunk_before_iend("gAMA"), "a gamma chunk"},
      {with_chunk_before_iend("tRNS"), "a transparency chunk"},
      {with_chunk_before_iend("PLTE"), "an unknown critical chunk"},
      {with_header(1, 1), "wider than the limit"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodePlainPng(Bytes(c.png), c.png.size(), L"bad.png"), nullptr) << c.what;
  }
  EXPECT_EQ(DecodePlainPng(nullptr, 0, L"none.png"), nullptr);

  // Well-formed chunks around data that does not fit the header.
  const std::string row(1 + 3 * 4, '\0');  // filter 0, three transparent pixels
  const std::string unknown_filter = "\x05" + row.substr(1);
  for (const auto& [data, what] : {std::pair{unknown_filter + unknown_filter, "an unknown filter type"},
                                   std::pair{row.substr(0, 5), "too few bytes"},
                                   std::pair{row + row + row, "more rows than the header has"}}) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, Bytes(data), static_cast<uLong>(data.size()));
    packed.resize(size);
    std::string png(test::kPngSignature);
    test::PutChunk(png, "IHDR", test::PngHeader(3, 2, 6));
    test::PutChunk(png, "IDAT", packed);
    test::PutChunk(png, "IEND", "");
    EXPECT_EQ(DecodePlainPng(Bytes(png), png.size(), L"bad.png"), nullptr) << what;
  }
}

}  // namespace
}  // namespace ui
