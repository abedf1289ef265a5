#include "ui/render/dib_section.h"

#include <climits>

namespace ui {

vireo::ScopedBitmap CreateTopDownDib(int width, int height, uint32_t** pixels) {
  *pixels = nullptr;
  if (width <= 0 || height <= 0) return vireo::ScopedBitmap();
  // Nothing close to 2 GB is a window's client; refusing it also keeps the stride in an int.
  if (int64_t{width} * height * 4 > INT_MAX) return vireo::ScopedBitmap();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  vireo::ScopedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return vireo::ScopedBitmap();
  *pixels = static_cast<uint32_t*>(bits);
  return bitmap;
}

}  // namespace ui
