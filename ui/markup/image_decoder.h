// Decodes a skin image with GDI+ into a DecodedImage (decoded_image.h).
//
//  - Bytes in memory that png_decoder.h handles are decoded there, without GDI+ (same
//    pixels, faster); everything else goes to GDI+.
//  - GDI+ must be started on the calling thread (vireo::ScopedGdiplus) for as long as
//    the call runs; the result holds no GDI+ object and outlives the session.
//  - Every frame of the time dimension becomes one 32-bit top-down DIB section with
//    premultiplied alpha; an animated image also gets its frame delays (property
//    0x5100, hundredths of a second, kept as milliseconds).
//  - Bytes that are not an image GDI+ can read, an image of no pixels, or a failed frame
//    give null; nothing is left behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ui/markup/decoded_image.h"

namespace ui {

// From |size| bytes in memory; |path| is recorded as the image's origin.
std::shared_ptr<DecodedImage> DecodeImageBytes(const uint8_t* bytes, size_t size, const std::wstring& path);
// From a file on disk.
std::shared_ptr<DecodedImage> DecodeImageFile(const std::wstring& path);

}  // namespace ui
