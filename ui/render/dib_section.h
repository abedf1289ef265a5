// The one way this layer makes 32-bit bitmaps: a top-down DIB section whose pixels the caller
// can reach (premultiplied ARGB, rows of |width| pixels without padding).
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/scoped_gdi.h"

namespace ui {

// A |width| x |height| bitmap, all 0, with *pixels pointing at its first row; an empty owner
// (and *pixels null) when a size is not positive, the pixels would need 2 GB or more, or the
// system refuses.
vireo::ScopedBitmap CreateTopDownDib(int width, int height, uint32_t** pixels);

}  // namespace ui
