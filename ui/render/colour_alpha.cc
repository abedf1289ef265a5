#include "ui/render/colour_alpha.h"

#include <algorithm>

namespace ui {

namespace {

constexpr DWORD kRgbMask = 0x00FFFFFF;

DWORD AlphaOf(DWORD argb) { return argb >> 24; }

}  // namespace

DWORD ScaleAlpha(DWORD argb, BYTE alpha) {
  if (alpha == 255) return argb;
  const DWORD scaled = AlphaOf(argb) * alpha / 255;
  return (scaled << 24) | (argb & kRgbMask);
}

DWORD TextBrushColour(DWORD argb, BYTE alpha) {
  const DWORD scaled = std::min<DWORD>(AlphaOf(argb) * alpha / 255, 254);
  return (scaled << 24) | (argb & kRgbMask);
}

}  // namespace ui
