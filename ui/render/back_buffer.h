// A 32-bit top-down DIB section selected into its own memory device context, with a GDI+
// bitmap over the same pixels: the surface both GDI and GDI+ draw on.
//
// BB1. Pixels are premultiplied ARGB, one uint32_t each (blue in the low byte), in top-down
//     rows of width() pixels with no padding. A new or resized buffer is all 0 (transparent).
// BB2. Resize(width, height) replaces the bitmap (contents are not kept) and reports whether
//     the size changed; an empty buffer that stays empty did not change. Negative sizes
//     count as 0. A 0 size, a buffer of 2 GB or more, or a bitmap the system cannot make
//     leaves an empty buffer: width() and height() 0, bits() and gdiplus_bitmap() null, and
//     GDI drawing on dc() lands nowhere visible.
// BB3. GDI draws lazily: bits() flushes GDI's batch first, so what it returns is current.
//     Callers that let GDI+ draw through gdiplus_bitmap() must call bits() (or GdiFlush)
//     first for the same reason.
// BB4. Everything is owned here: the bitmap is unselected before it is deleted, and the GDI+
//     bitmap (which only borrows the pixels) is destroyed first. The buffer must be destroyed
//     before the GDI+ session that was current when it was resized.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "support/scoped_gdi.h"
#include "support/scoped_gdiplus.h"

namespace ui {

class BackBuffer {
 public:
  BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  ~BackBuffer();

  // False when the memory device context could not be made; nothing draws then.
  bool ok() const { return dc_.valid(); }

  bool Resize(int width, int height);  // BB2

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* bits();  // BB3
  Gdiplus::Bitmap* gdiplus_bitmap() const { return gdiplus_bitmap_.get(); }

  // Sets every pixel to 0 (transparent black).
  void Clear();
  // Gives the pixels of |rect| (cut to the buffer) alpha 255, keeping their colour: for
  // what GDI copied from an opaque source, which it leaves with alpha 0.
  void MakeOpaque(const RECT& rect);

 private:
  void Release();
  void Allocate(int width, int height);

  vireo::ScopedMemoryDc dc_;
  vireo::ScopedBitmap bitmap_;
  std::optional<vireo::ScopedSelectObject> selection_;  // after bitmap_: undone first (scoped_gdi.h SG3)
  std::unique_ptr<Gdiplus::Bitmap> gdiplus_bitmap_;
  uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace ui
