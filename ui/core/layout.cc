#include "ui/core/layout.h"

#include <algorithm>

#include "ui/core/box.h"
#include "ui/core/control.h"

namespace ui {
namespace {

// Start of a child of |size| in [start, start + room) by alignment; truncates toward zero.
long long AlignedStart(long long start, long long room, long long size, int align) {
  if (align == 1) return start + (room - size) / 2;
  if (align == 2) return start + room - size;
  return start;
}

int HorIndex(HorAlign align) {
  return align == HorAlign::kCenter ? 1 : align == HorAlign::kRight ? 2 : 0;
}
int VerIndex(VerAlign align) {
  return align == VerAlign::kCenter ? 1 : align == VerAlign::kBottom ? 2 : 0;
}

int ClampCoordinate(long long value) {
  return static_cast<int>(std::clamp<long long>(value, -kLengthLimit * 4LL, kLengthLimit * 4LL));
}

// The stretch and clamping rule (layout.h) for one dimension.
int ResolveStacked(int size, int room) {
  if (size == kLengthStretch) return std::max(room, 0);
  return std::max(size, 0);
}

}  // namespace

void Layout::SetPadding(const RECT& padding) {
  const RECT clamped = {ClampLength(padding.left), ClampLength(padding.top),
                        ClampLength(padding.right), ClampLength(padding.bottom)};
  padding_ = clamped;
  ArrangeOwner();
}

void Layout::SetChildMargin(int margin) {
  child_margin_ = ClampLength(margin);
  ArrangeOwner();
}

void Layout::ArrangeOwner() {
  if (owner_ != nullptr) owner_->Arrange();
}

SIZE Layout::AddPadding(long long width, long long height) const {
  return SIZE{ClampLength(width + padding_.left + padding_.right),
              ClampLength(height + padding_.top + padding_.bottom)};
}

SIZE Layout::SetFloatPos(Control* child, RECT container) {
  if (child == nullptr || !child->IsVisible()) return SIZE{0, 0};
  const RECT& margin = child->GetMargin();
  const long long left = static_cast<long long>(container.left) + margin.left;
  const long long top = static_cast<long long>(container.top) + margin.top;
  const int w = ClampCoordinate(static_cast<long long>(container.right) - margin.right - left);
  const int h = ClampCoordinate(static_cast<long long>(container.bottom) - margin.bottom - top);

  SIZE size = child->EstimateSize(SIZE{w, h});
  if (child->GetFixedWidth() == kLengthAuto && child->GetFixedHeight() == kLengthAuto &&
      child->GetMaxWidth() == kMaxLengthDefault && size.cx > w) {
    size = child->EstimateWithWidth(w, SIZE{w, h});
  }
  size.cx = child->ClampWidth(ResolveStacked(size.cx, w));
  size.cy = child->ClampHeight(ResolveStacked(size.cy, h));

  const long long x = AlignedStart(left, w, size.cx, HorIndex(child->GetHorAlign()));
  const long long y = AlignedStart(top, h, size.cy, VerIndex(child->GetVerAlign()));
  child->SetPos(RECT{ClampCoordinate(x), ClampCoordinate(y), ClampCoordinate(x + size.cx),
                     ClampCoordinate(y + size.cy)});
  return size;
}

SIZE Layout::ArrangeChild(const ControlList& items, RECT inner) {
  long long width = 0;
  long long height = 0;
  for (const auto& child : items) {
    if (!child->IsVisible()) continue;
    const SIZE size = SetFloatPos(child.get(), inner);
    const RECT& m = child->GetMargin();
    width = std::max<long long>(width, static_cast<long long>(size.cx) + m.left + m.right);
    height = std::max<long long>(height, static_cast<long long>(size.cy) + m.top + m.bottom);
  }
  return AddPadding(width, height);
}

SIZE Layout::EstimateSizeByChild(const ControlList& items, SIZE available) {
  long long width = 0;
  long long height = 0;
  for (const auto& child : items) {
    if (!child->IsVisible()) continue;
    const RECT& m = child->GetMargin();
    const SIZE size = child->EstimateSize(available);
    width = std::max<long long>(width, static_cast<long long>(std::max<int>(size.cx, 0)) + m.left +
                                           m.right);
    height = std::max<long long>(
        height, static_cast<long long>(std::max<int>(size.cy, 0)) + m.top + m.bottom);
  }
  return AddPadding(width, height);
}

}  // namespace ui
