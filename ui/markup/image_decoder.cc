#include "ui/markup/image_decoder.h"

#include <shlwapi.h>

#include <memory>
#include <vector>

#include "support/scoped_com.h"
#include "support/scoped_gdiplus.h"
#include "ui/markup/png_decoder.h"

namespace ui {
namespace {

// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}, the time dimension of animated images.
constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kFrameDelayTag = 0x5100;

// Copies the active frame of |bitmap| into a new DIB section; |any_translucent| is set when
// a pixel's alpha is below 255. A 32-bit ARGB frame is read as it lies in GDI+'s memory and
// premultiplied here: asking GDI+ for premultiplied pixels would convert the whole frame into
// a copy first (about 20 ms for a 1320 x 1024 background under Wine).
bool ConvertFrame(Gdiplus::Bitmap& bitmap, bool straight, int width, int height, ImageFrame* frame,
                  bool* any_translucent) {
  if (!AllocateFrame(width, height, frame)) return false;

  Gdiplus::Rect rect(0, 0, width, height);
  Gdiplus::BitmapData data{};
  const Gdiplus::PixelFormat format = straight ? PixelFormat32bppARGB : PixelFormat32bppPARGB;
  if (bitmap.LockBits(&rect, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok) return false;
  for (int y = 0; y < height; ++y) {
    const auto* source = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) +
                                                           static_cast<ptrdiff_t>(data.Stride) * y);
    uint32_t* row = frame->pixels + static_cast<size_t>(y) * width;
    uint32_t all_alpha = 0xFF;
    for (int x = 0; x < width; ++x) {
      row[x] = straight ? PremultiplyArgb(source[x]) : source[x];
      all_alpha &= row[x] >> 24;
    }
    *any_translucent = *any_translucent || all_alpha != 0xFF;
  }
  bitmap.UnlockBits(&data);
  return true;
}

std::vector<int> FrameDelays(Gdiplus::Bitmap& bitmap, size_t frames) {
  const UINT size = bitmap.GetPropertyItemSize(kFrameDelayTag);
  if (frames < 2 || size < sizeof(Gdiplus::PropertyItem)) return {};
  std::vector<uint8_t> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (bitmap.GetPropertyItem(kFrameDelayTag, size, item) != Gdiplus::Ok || item->value == nullptr) return {};
  const size_t count = item->length / sizeof(LONG);
  std::vector<int> delays(frames, 0);
  for (size_t i = 0; i < frames && i < count; ++i) delays[i] = static_cast<int>(static_cast<LONG*>(item->value)[i]) * 10;
  return delays;
}

bool HasAlphaByFormat(Gdiplus::Bitmap& bitmap, Gdiplus::PixelFormat format) {
  if (!Gdiplus::IsIndexedPixelFormat(format)) return Gdiplus::IsAlphaPixelFormat(format);
  const INT size = bitmap.GetPaletteSize();
  if (size < static_cast<INT>(sizeof(Gdiplus::ColorPalette))) return false;
  std::vector<uint8_t> buffer(static_cast<size_t>(size));
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
  return bitmap.GetPalette(palette, size) == Gdiplus::Ok && (palette->Flags & Gdiplus::PaletteFlagsHasAlpha);
}

std::shared_ptr<DecodedImage> Decode(Gdiplus::Bitmap& bitmap, const std::wstring& path) {
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return nullptr;
  auto image = std::make_shared<DecodedImage>();
  image->width = static_cast<int>(bitmap.GetWidth());
  image->height = static_cast<int>(bitmap.GetHeight());
  image->path = path;
  if (image->width <= 0 || image->height <= 0) return nullptr;
  GUID dimension = kFrameDimensionTime;
  UINT count = bitmap.GetFrameCount(&dimension);
  if (count == 0) count = 1;
  const Gdiplus::PixelFormat format = bitmap.GetPixelFormat();
  bool any_translucent = false;
  image->frames.resize(count);
  for (UINT i = 0; i < count; ++i) {
    if (count > 1 && bitmap.SelectActiveFrame(&dimension, i) != Gdiplus::Ok) return nullptr;
    if (!ConvertFrame(bitmap, format == PixelFormat32bppARGB, image->width, image->height, &image->frames[i],
                      &any_translucent)) {
      return nullptr;
    }
  }
  image->delays_ms = FrameDelays(bitmap, count);
  image->has_alpha = format == PixelFormat32bppARGB ? any_translucent : HasAlphaByFormat(bitmap, format);
  return image;
}

}  // namespace

std::shared_ptr<DecodedImage> DecodeImageBytes(const uint8_t* bytes, size_t size, const std::wstring& path) {
  if (bytes == nullptr || size == 0 || size > 0x7FFFFFFF) return nullptr;
  if (auto plain = DecodePlainPng(bytes, size, path)) return plain;
  // The stream keeps its own copy of the bytes while GDI+ reads them.
  const vireo::ScopedComPtr<IStream> stream(::SHCreateMemStream(bytes, static_cast<UINT>(size)));
  if (!stream) return nullptr;
  Gdiplus::Bitmap bitmap(stream.get());
  return Decode(bitmap, path);
}

std::shared_ptr<DecodedImage> DecodeImageFile(const std::wstring& path) {
  Gdiplus::Bitmap bitmap(path.c_str());
  return Decode(bitmap, path);
}

}  // namespace ui
