// Helpers for drawing tests: a back buffer to probe, synthetic bitmaps, colour comparisons and
// counts of what a leak would leave behind.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "support/scoped_gdi.h"
#include "support/scoped_gdiplus.h"
#include "ui/render/back_buffer.h"

namespace ui::testing {

// A 200 x 80 back buffer inside a GDI+ session, for tests below the render context.
class BufferTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 80;
  void SetUp() override { ASSERT_TRUE(buffer_.Resize(kWidth, kHeight)); }
  uint32_t& At(int x, int y) { return buffer_.bits()[y * kWidth + x]; }
  void Paint(uint32_t colour) { std::fill_n(buffer_.bits(), kWidth * kHeight, colour); }

  vireo::ScopedGdiplus gdiplus_;
  BackBuffer buffer_;
};

// A top-down 32-bit bitmap whose pixel (x, y) is pixel(x, y) (premultiplied ARGB).
vireo::ScopedBitmap MakeBitmap(int width, int height,
                               const std::function<uint32_t(int x, int y)>& pixel);

std::string Argb(uint32_t pixel);  // "#aarrggbb", for readable failures
// GDI writes no alpha, so probes of what GDI drew compare the colour alone.
inline uint32_t Rgb(uint32_t pixel) { return pixel & 0x00FFFFFF; }
bool Near(uint32_t a, uint32_t b, int tolerance);  // every channel within |tolerance|

// The GDI objects of this process: GetGuiResources where the system counts them. Wine answers
// 0 there but keeps a GDI handle table per process, reachable from the process environment
// block as on Windows, whose used entries are counted instead.
int CountGdiObjects();
// The bytes of every busy block of every heap of this process (GDI+ objects live there).
size_t HeapBytesInUse();

}  // namespace ui::testing
