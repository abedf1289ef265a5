#include "ui/render/render_context_gdiplus.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "support/scoped_gdi.h"
#include "ui/render/colour_alpha.h"
#include "ui/render/gdiplus_text.h"
#include "ui/render/image_blit.h"

namespace ui {

namespace {

// Moves |r|, saturating at the ends of LONG so an absurd rectangle cannot wrap around.
LONG Add(LONG a, LONG b) { return LONG(std::clamp<int64_t>(int64_t{a} + b, LONG_MIN, LONG_MAX)); }

RECT Offset(const RECT& r, LONG dx, LONG dy) {
  return RECT{Add(r.left, dx), Add(r.top, dy), Add(r.right, dx), Add(r.bottom, dy)};
}

}  // namespace

RenderContext_GdiPlus::RenderContext_GdiPlus()
    : measure_bitmap_(std::make_unique<Gdiplus::Bitmap>(1, 1, PixelFormat32bppPARGB)) {}

RenderContext_GdiPlus::~RenderContext_GdiPlus() = default;

BackBuffer& RenderContext_GdiPlus::Target() {
  return layers_.empty() ? buffer_ : *layers_.back().buffer;
}

const BackBuffer& RenderContext_GdiPlus::Target() const {
  return layers_.empty() ? buffer_ : *layers_.back().buffer;
}

POINT RenderContext_GdiPlus::TargetOffset() const {
  if (layers_.empty()) return POINT{0, 0};
  return POINT{layers_.back().pixels.left, layers_.back().pixels.top};
}

HDC RenderContext_GdiPlus::GetDC() const { return Target().dc(); }

void RenderContext_GdiPlus::ApplyToDc() {
  const HDC dc = Target().dc();
  const POINT offset = TargetOffset();
  ::SetWindowOrgEx(dc, origin_.x + offset.x, origin_.y + offset.y, nullptr);
  const RECT clip = Offset(clip_, -offset.x, -offset.y);
  vireo::ScopedRegion region(::CreateRectRgnIndirect(&clip));
  ::SelectClipRgn(dc, region.get());
}

bool RenderContext_GdiPlus::Resize(int width, int height) {
  layers_.clear();
  const bool changed = buffer_.Resize(width, height);
  clip_ = RECT{0, 0, buffer_.width(), buffer_.height()};
  ApplyToDc();
  return changed;
}

POINT RenderContext_GdiPlus::SetWindowOrg(POINT origin) {
  const POINT previous = origin_;
  origin_ = origin;
  ApplyToDc();
  return previous;
}

POINT RenderContext_GdiPlus::OffsetWindowOrg(POINT delta) {
  return SetWindowOrg(POINT{origin_.x + delta.x, origin_.y + delta.y});
}

ClipState RenderContext_GdiPlus::IntersectClip(const RECT& rect) {
  const ClipState previous{clip_};
  const RECT pixels = Offset(rect, -origin_.x, -origin_.y);
  if (!::IntersectRect(&clip_, &clip_, &pixels)) clip_ = RECT{};
  ApplyToDc();
  return previous;
}

void RenderContext_GdiPlus::RestoreClip(const ClipState& previous) {
  clip_ = previous.pixels;
  ApplyToDc();
}

RECT RenderContext_GdiPlus::GetClipBox() const { return Offset(clip_, origin_.x, origin_.y); }

std::unique_ptr<Gdiplus::Graphics> RenderContext_GdiPlus::NewGraphics() {
  BackBuffer& target = Target();
  if (::IsRectEmpty(&clip_) || target.bits() == nullptr || !target.gdiplus_bitmap()) {
    return nullptr;
  }
  auto graphics = std::make_unique<Gdiplus::Graphics>(target.gdiplus_bitmap());
  if (graphics->GetLastStatus() != Gdiplus::Ok) return nullptr;
  const POINT offset = TargetOffset();
  // The clip is set in pixels before the translation, which would otherwise move it.
  graphics->SetClip(Gdiplus::Rect(clip_.left - offset.x, clip_.top - offset.y,
                                  clip_.right - clip_.left, clip_.bottom - clip_.top));
  graphics->TranslateTransform(Gdiplus::REAL(-(origin_.x + offset.x)),
                               Gdiplus::REAL(-(origin_.y + offset.y)));
  return graphics;
}

void RenderContext_GdiPlus::FillRect(const RECT& rect, DWORD argb, BYTE alpha) {
  // Cutting to the clip first keeps absurd rectangles from overflowing GDI+'s int sizes.
  const RECT clip = GetClipBox();
  RECT fill{};
  if (!::IntersectRect(&fill, &rect, &clip)) return;
  const std::unique_ptr<Gdiplus::Graphics> graphics = NewGraphics();
  if (!graphics) return;
  const Gdiplus::SolidBrush brush(Gdiplus::Color(ScaleAlpha(argb, alpha)));
  graphics->FillRectangle(
      &brush, Gdiplus::Rect(fill.left, fill.top, fill.right - fill.left, fill.bottom - fill.top));
}

void RenderContext_GdiPlus::DrawImage(const RECT& paint_rect, HBITMAP bitmap, bool has_alpha,
                                      const RECT& dest, const RECT& source, const RECT& corner,
                                      const RECT& dest_corner, BYTE fade, bool xtiled,
                                      bool ytiled) {
  if (::IsRectEmpty(&clip_)) return;
  const ImageGeometry geometry{dest, source, corner, dest_corner, xtiled, ytiled};
  const ImageBlend blend{has_alpha, fade, always_blend_ || !layers_.empty()};
  BackBuffer& target = Target();
  // An opaque image copied by GDI covers what lies below; the alpha must say so (RC1).
  BlitImage(target.dc(), paint_rect, bitmap, geometry, blend,
            [&target](const RECT& pixels) { target.MakeOpaque(pixels); });
}

RECT RenderContext_GdiPlus::MeasureText(std::wstring_view text, HFONT font, UINT style,
                                        int width_limit) {
  Gdiplus::Graphics graphics(measure_bitmap_.get());
  if (graphics.GetLastStatus() != Gdiplus::Ok) return RECT{};
  return MeasureTextWith(graphics, Target().dc(), text, font, style, width_limit);
}

void RenderContext_GdiPlus::DrawText(const RECT& rect, std::wstring_view text, DWORD argb,
                                     HFONT font, UINT style, BYTE alpha, bool line_limit) {
  if (text.empty()) return;
  const std::unique_ptr<Gdiplus::Graphics> graphics = NewGraphics();
  if (!graphics) return;
  DrawTextWith(*graphics, Target().dc(), rect, text, argb, font, style, alpha, line_limit);
}

bool RenderContext_GdiPlus::BeginLayer(BYTE alpha) {
  // The layer covers the clip, in back-buffer pixels; an empty clip gives an empty layer,
  // which draws nothing (RC7).
  const RECT pixels = clip_;
  auto layer_buffer = std::make_unique<BackBuffer>();
  layer_buffer->Resize(pixels.right - pixels.left, pixels.bottom - pixels.top);
  if (!layer_buffer->ok()) return false;
  if (!::IsRectEmpty(&pixels) && layer_buffer->bits() == nullptr) return false;
  layers_.push_back(Layer{std::move(layer_buffer), pixels, alpha});
  ApplyToDc();
  return true;
}

void RenderContext_GdiPlus::EndLayer() {
  if (layers_.empty()) return;
  const Layer layer = std::move(layers_.back());
  layers_.pop_back();
  ApplyToDc();
  if (layer.buffer->bits() == nullptr || layer.alpha == 0) return;
  // Both device contexts map the same logical point to the layer's top-left pixel.
  const LONG x = layer.pixels.left + origin_.x;
  const LONG y = layer.pixels.top + origin_.y;
  const int width = layer.buffer->width();
  const int height = layer.buffer->height();
  const BLENDFUNCTION function{AC_SRC_OVER, 0, layer.alpha, AC_SRC_ALPHA};
  ::GdiAlphaBlend(Target().dc(), x, y, width, height, layer.buffer->dc(), x, y, width, height,
                  function);  // as in image_blit.cc
}

}  // namespace ui
