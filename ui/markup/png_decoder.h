// Decodes the PNG files skins are made of with zlib alone: faster than GDI+ under Wine (a
// 1320 x 1024 background in about half the time), so a window's backgrounds are ready sooner
// and cost the other core less while the window is created.
//
//  PD1. Handled: a PNG whose critical chunks are IHDR, IDAT (consecutive) and IEND, 8 bits per
//      sample, colour type 2 (RGB) or 6 (RGBA), no interlace, at most kPlainPngMaxSide
//      pixels a side, every chunk's CRC right, the data exactly the header's rows in known
//      filters, and no chunk that would change the colours (gAMA, cHRM, sRGB, iCCP, sBIT,
//      tRNS): the result is a DecodedImage (decoded_image.h) with the same pixels and alpha
//      flag as GDI+ gives for it.
//  PD2. Anything else, damaged data included, answers null and allocates nothing that
//      outlives the call: the caller hands such bytes to GDI+, which decides as before.
//  PD3. Any thread; no GDI+ session needed (the frame is a DIB section). The data is inflated
//      a row at a time: besides the frame, only two rows are held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ui/markup/decoded_image.h"

namespace ui {

inline constexpr uint32_t kPlainPngMaxSide = 8192;

std::shared_ptr<DecodedImage> DecodePlainPng(const uint8_t* bytes, size_t size, const std::wstring& path);

}  // namespace ui
