// Draws one bitmap onto a device context: source cell, stretching, nine-grid borders and
// tiling (image_parts.h), blended or copied.
//
//  - Nothing is drawn when the bitmap is null or not a bitmap, fade is 0, or the
//     destination does not meet |paint_rect| (logical coordinates of |dc|, like every
//     rectangle here). Only parts meeting both |paint_rect| and the clip of |dc| are drawn.
//  - The source rectangle is cut to the bitmap, so a cell beyond the image's edge never
//     makes the blit fail; a source entirely outside draws nothing.
//  - The stretch mode of |dc| is set to HALFTONE (with the brush origin HALFTONE needs).
//  - Each part is drawn with GdiAlphaBlend (source-over, per-pixel alpha, constant alpha =
//     fade) when the image has transparency, fade is not 255, |always_blend| is set, or the
//     part's source and destination have the same size; otherwise with StretchBlt (SRCCOPY),
//     after which |copied| (when given) receives the device pixels of |dc| the copy wrote,
//     cut to the clip: GDI writes no alpha there, and the caller owns the pixels to fix it.
//  - The bitmap must be a 32-bit DIB section holding premultiplied ARGB. An image without
//     transparency (has_alpha false) must still carry alpha 255 in every pixel: its
//     same-size parts are alpha-blended too, and alpha 0 there would add the image to
//     what lies below instead of covering it.
//  - The bitmap is selected into a memory device context for the call only; it must not be
//     selected into another device context at the time.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/render/image_parts.h"

namespace ui {

struct ImageBlend {
  bool has_alpha = false;
  BYTE fade = 255;
  bool always_blend = false;
};

using GdiCopySink = std::function<void(const RECT& device_pixels)>;

void BlitImage(HDC dc, const RECT& paint_rect, HBITMAP bitmap, const ImageGeometry& geometry,
               const ImageBlend& blend, const GdiCopySink& copied = nullptr);

}  // namespace ui
