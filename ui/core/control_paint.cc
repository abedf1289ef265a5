// Control's painting and its image-based size estimate.
#include <algorithm>

#include "ui/core/control.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"

namespace ui {
namespace {

bool IsAbsent(const RECT& rc) {
  return rc.left == -1 && rc.top == -1 && rc.right == -1 && rc.bottom == -1;
}

RECT ScaleInsets(const RECT& rc) {
  const DpiScale& dpi = GlobalManager::Get().dpi();
  return RECT{dpi.Scale(rc.left), dpi.Scale(rc.top), dpi.Scale(rc.right), dpi.Scale(rc.bottom)};
}

}  // namespace

void Control::Paint(IRenderContext* render, const RECT& update_rect) {
  if (render == nullptr || !IsVisible() || alpha_ == 0) return;
  const RECT paint = RectIntersect(update_rect, GetPos());
  if (RectEmpty(paint)) return;
  ScopedClip clip(*render, paint);
  ScopedLayer layer(*render, static_cast<BYTE>(alpha_));
  paint_rect_ = paint;
  PaintBkColor(render);
  PaintBkImage(render);
  PaintStatusColor(render);
  PaintStatusImage(render);
  PaintText(render);
  PaintBorder(render);
  PaintChildren(render, paint);
}

bool Control::FillWithColor(IRenderContext* render, const std::wstring& name, int alpha) {
  if (name.empty()) return false;
  const uint32_t argb = GlobalManager::Get().definitions().colors.Get(name);
  if (argb == 0) return false;
  render->FillRect(GetPos(), argb, static_cast<BYTE>(std::clamp(alpha, 0, 255)));
  return true;
}

void Control::PaintBkColor(IRenderContext* render) { FillWithColor(render, bk_color_); }

void Control::PaintBkImage(IRenderContext* render) { DrawImage(render, bk_image_); }

void Control::PaintStatusColor(IRenderContext* render) { FillWithColor(render, colors_.Get(state_)); }

void Control::PaintStatusImage(IRenderContext* render) {
  const DrawImageFn draw = [this, render](Image& image, int fade) {
    return DrawImage(render, image, L"", fade);
  };
  const bool fade = hot_fade_ != nullptr;
  images_.background.Paint(state_, hot_alpha_, fade, draw);
  images_.foreground.Paint(state_, hot_alpha_, fade, draw);
}

void Control::PaintText(IRenderContext* /*render*/) {}

void Control::PaintChildren(IRenderContext* /*render*/, const RECT& /*update_rect*/) {}

void Control::PaintBorder(IRenderContext* render) {
  if (border_color_.empty()) return;
  const uint32_t argb = GlobalManager::Get().definitions().colors.Get(border_color_);
  if (argb == 0) return;
  const RECT& pos = GetPos();
  const RECT& b = border_size_;
  const RECT edges[] = {
      {pos.left, pos.top, pos.left + b.left, pos.bottom},
      {pos.left, pos.top, pos.right, pos.top + b.top},
      {pos.right - b.right, pos.top, pos.right, pos.bottom},
      {pos.left, pos.bottom - b.bottom, pos.right, pos.bottom},
  };
  for (const RECT& edge : edges) {
    if (!RectEmpty(edge)) render->FillRect(edge, argb, 255);
  }
}

bool Control::DrawImage(IRenderContext* render, Image& image, const std::wstring& modify,
                        int fade) {
  if (render == nullptr || image.IsEmpty()) return false;
  const std::wstring window_path = GetWindow() != nullptr ? GetWindow()->GetResourcePath() : L"";
  const DecodedImage* decoded = image.Load(window_path);
  if (decoded == nullptr) return false;

  const DpiScale& dpi = GlobalManager::Get().dpi();
  const ImageAttribute modified =
      modify.empty() ? ImageAttribute() : WithModifier(image.attribute(), modify, dpi);
  const ImageAttribute& attr = modify.empty() ? image.attribute() : modified;

  const RECT& pos = GetPos();
  RECT dest = pos;
  if (!IsAbsent(attr.dest)) {
    dest = RECT{pos.left + attr.dest.left, pos.top + attr.dest.top, pos.left + attr.dest.right,
                pos.top + attr.dest.bottom};
  }
  const RECT whole = {0, 0, decoded->width, decoded->height};
  const RECT source = IsAbsent(attr.source) ? whole : RectIntersect(attr.source, whole);
  if (RectEmpty(source) || RectEmpty(RectIntersect(dest, paint_rect_))) return false;
  const int alpha = std::clamp(fade == kFadeKeep ? attr.fade : fade, 0, 255);
  render->DrawImage(paint_rect_, decoded->frames.front().bitmap.get(), decoded->has_alpha, dest,
                    source, attr.corner, ScaleInsets(attr.corner), static_cast<BYTE>(alpha),
                    attr.xtiled, attr.ytiled);
  return true;
}

void Control::ClearImageCache() {
  bk_image_.ClearCache();
  images_.background.ClearCache();
  images_.foreground.ClearCache();
}

SIZE Control::CalcEstimateSize(SIZE fixed, SIZE available) {
  SIZE size = fixed;
  Image& image = !bk_image_.IsEmpty() ? bk_image_ : images_.background.Get(kControlStateNormal);
  if (!image.IsEmpty()) {
    const DpiScale& dpi = GlobalManager::Get().dpi();
    const RECT& source = image.attribute().source;
    if (source.left >= 0 && source.top >= 0 && source.right >= source.left &&
        source.bottom >= source.top) {
      // A complete source part decides the auto dimensions alone.
      if (size.cx == kLengthAuto) size.cx = ClampLength(dpi.Scale(RectWidth(source)));
      if (size.cy == kLengthAuto) size.cy = ClampLength(dpi.Scale(RectHeight(source)));
      return size;
    }
    const std::wstring window_path =
        GetWindow() != nullptr ? GetWindow()->GetResourcePath() : L"";
    if (const DecodedImage* decoded = image.Load(window_path)) {
      if (size.cx == kLengthAuto) size.cx = ClampLength(dpi.Scale(decoded->width));
      if (size.cy == kLengthAuto) size.cy = ClampLength(dpi.Scale(decoded->height));
    }
  }
  const SIZE text = EstimateText(available);
  if (fixed.cx == kLengthAuto) size.cx = std::max<int>(size.cx == kLengthAuto ? 0 : size.cx, text.cx);
  if (fixed.cy == kLengthAuto) size.cy = std::max<int>(size.cy == kLengthAuto ? 0 : size.cy, text.cy);
  return size;
}

}  // namespace ui
