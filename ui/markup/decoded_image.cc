#include "ui/markup/decoded_image.h"

namespace ui {

uint32_t PremultiplyArgb(uint32_t argb) {
  const uint32_t alpha = argb >> 24;
  if (alpha == 0xFF) return argb;
  const auto channel = [alpha, argb](int shift) { return (((argb >> shift) & 0xFF) * alpha + 127) / 255 << shift; };
  return alpha << 24 | channel(16) | channel(8) | channel(0);
}

bool AllocateFrame(int width, int height, ImageFrame* frame) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  frame->bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  frame->pixels = static_cast<uint32_t*>(bits);
  if (frame->bitmap && bits != nullptr) return true;
  frame->bitmap.reset();
  frame->pixels = nullptr;
  return false;
}

}  // namespace ui
