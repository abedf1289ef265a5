#include "ui/render/back_buffer.h"

#include <algorithm>
#include <cstring>

#include "ui/render/dib_section.h"

namespace ui {

BackBuffer::BackBuffer() : dc_(::CreateCompatibleDC(nullptr)) {}

BackBuffer::~BackBuffer() { Release(); }

void BackBuffer::Release() {
  gdiplus_bitmap_.reset();
  selection_.reset();
  bitmap_.reset();
  pixels_ = nullptr;
  width_ = 0;
  height_ = 0;
}

bool BackBuffer::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return false;
  const bool was_empty = pixels_ == nullptr;
  Release();
  Allocate(width, height);
  return !(was_empty && pixels_ == nullptr);
}

void BackBuffer::Allocate(int width, int height) {
  if (!ok()) return;
  bitmap_ = CreateTopDownDib(width, height, &pixels_);
  if (!bitmap_) return;
  selection_.emplace(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  // The GDI+ bitmap borrows the DIB's memory, so GDI and GDI+ draw on the same pixels.
  gdiplus_bitmap_ = std::make_unique<Gdiplus::Bitmap>(
      width, height, width * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels_));
  if (gdiplus_bitmap_->GetLastStatus() != Gdiplus::Ok) gdiplus_bitmap_.reset();
}

uint32_t* BackBuffer::bits() {
  ::GdiFlush();
  return pixels_;
}

void BackBuffer::Clear() {
  if (uint32_t* p = bits()) std::memset(p, 0, size_t(width_) * size_t(height_) * 4);
}

void BackBuffer::MakeOpaque(const RECT& rect) {
  const RECT bounds{0, 0, width_, height_};
  RECT r{};
  if (!::IntersectRect(&r, &rect, &bounds)) return;
  uint32_t* pixels = bits();
  for (LONG y = r.top; y < r.bottom; ++y) {
    uint32_t* row = pixels + static_cast<size_t>(y) * width_;
    for (LONG x = r.left; x < r.right; ++x) row[x] |= 0xFF000000u;
  }
}

}  // namespace ui
