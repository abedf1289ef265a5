// A decoded skin image, shared by every control that names the same resolved path.
//
// Pixels: every frame is a 32-bit top-down DIB section whose pixels are PREMULTIPLIED
// BGRA (each colour channel already multiplied by alpha), ready for AlphaBlend with
// AC_SRC_ALPHA; images without transparency have alpha 255 everywhere.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/scoped_gdi.h"

namespace ui {

struct ImageFrame {
  vireo::ScopedBitmap bitmap;
  uint32_t* pixels = nullptr;  // width * height values, rows top-down; owned by |bitmap|
};

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<ImageFrame> frames;  // at least one
  // Per frame of an animated image, in milliseconds; empty for a still image.
  std::vector<int> delays_ms;
  // The pixel format has alpha, an indexed palette says it has alpha, or (32-bit ARGB) at
  // least one pixel of a frame is not fully opaque.
  bool has_alpha = false;
  std::wstring path;  // where it was loaded from
};

// Straight alpha to premultiplied, rounded to the nearest value as GDI+'s own conversion
// rounds; opaque pixels stay as they are.
uint32_t PremultiplyArgb(uint32_t argb);

// Gives |frame| a zeroed 32-bit top-down DIB section of |width| x |height|; false (and no
// bitmap) when the system refuses one.
bool AllocateFrame(int width, int height, ImageFrame* frame);

}  // namespace ui
