#include "ui/render/image_blit.h"

#include "support/scoped_gdi.h"

namespace ui {

namespace {

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

bool SameSize(const ImagePart& part) {
  return Width(part.dest) == Width(part.source) && Height(part.dest) == Height(part.source);
}

// The bitmap's own rectangle; empty when |bitmap| is not a bitmap.
RECT BitmapBounds(HBITMAP bitmap) {
  BITMAP info{};
  if (::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return RECT{};
  return RECT{0, 0, info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

// The device pixels of |dc| that drawing into the logical rectangle |r| can change.
RECT DevicePixels(HDC dc, RECT r) {
  RECT clip{};
  if (::GetClipBox(dc, &clip) == ERROR || !::IntersectRect(&r, &r, &clip)) return RECT{};
  ::LPtoDP(dc, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void DrawPart(HDC dc, HDC source_dc, const ImagePart& part, const ImageBlend& blend,
              const GdiCopySink& copied) {
  const RECT& d = part.dest;
  const RECT& s = part.source;
  if (blend.has_alpha || blend.fade != 255 || blend.always_blend || SameSize(part)) {
    const BLENDFUNCTION function{AC_SRC_OVER, 0, blend.fade, AC_SRC_ALPHA};
    // gdi32's own entry point: msimg32's AlphaBlend only forwards to it, and one DLL less
    // to load shortens every start of the process.
    ::GdiAlphaBlend(dc, d.left, d.top, Width(d), Height(d), source_dc, s.left, s.top, Width(s),
                    Height(s), function);
    return;
  }
  ::StretchBlt(dc, d.left, d.top, Width(d), Height(d), source_dc, s.left, s.top, Width(s),
               Height(s), SRCCOPY);
  if (copied) {
    const RECT pixels = DevicePixels(dc, d);
    if (!::IsRectEmpty(&pixels)) copied(pixels);
  }
}

}  // namespace

void BlitImage(HDC dc, const RECT& paint_rect, HBITMAP bitmap, const ImageGeometry& geometry,
               const ImageBlend& blend, const GdiCopySink& copied) {
  if (bitmap == nullptr || blend.fade == 0) return;
  RECT visible{};
  if (!::IntersectRect(&visible, &paint_rect, &geometry.dest)) return;
  RECT clip{};
  if (::GetClipBox(dc, &clip) == NULLREGION) return;
  if (!::IntersectRect(&visible, &visible, &clip)) return;

  const RECT bounds = BitmapBounds(bitmap);
  ImageGeometry cut = geometry;
  if (!::IntersectRect(&cut.source, &geometry.source, &bounds)) return;

  vireo::ScopedMemoryDc source_dc(::CreateCompatibleDC(dc));
  if (!source_dc) return;
  vireo::ScopedSelectObject selection(source_dc.get(), bitmap);
  if (!selection.ok()) return;
  ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ForEachImagePart(cut, visible,
                   [&](const ImagePart& part) { DrawPart(dc, source_dc.get(), part, blend, copied); });
}

}  // namespace ui
