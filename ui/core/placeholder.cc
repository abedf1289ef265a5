#include "ui/core/placeholder.h"

#include <algorithm>
#include <climits>

#include "ui/core/box.h"
#include "ui/core/window.h"

namespace ui {

int RectWidth(const RECT& rc) { return rc.right - rc.left; }
int RectHeight(const RECT& rc) { return rc.bottom - rc.top; }
bool RectEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

bool RectEquals(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT RectIntersect(const RECT& a, const RECT& b) {
  const RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
  return RectEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

RECT RectUnion(const RECT& a, const RECT& b) {
  if (RectEmpty(a)) return b;
  if (RectEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

bool RectContains(const RECT& rc, POINT pt) {
  return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}

int ClampLength(long long value) {
  return static_cast<int>(std::clamp<long long>(value, 0, kLengthLimit));
}

namespace {

// PH1: below auto is not a size rule; above the limit is clamped.
bool AcceptLength(int* length) {
  if (*length < kLengthAuto) return false;
  *length = std::min(*length, kLengthLimit);
  return true;
}

// Minimum and maximum sizes: negative means none; huge values are clamped.
int ClampLimit(int value) { return value < 0 ? -1 : std::min(value, kLengthLimit); }

RECT ClampMargin(const RECT& rc) {
  return RECT{ClampLength(rc.left), ClampLength(rc.top), ClampLength(rc.right),
              ClampLength(rc.bottom)};
}

}  // namespace

PlaceHolder::PlaceHolder() = default;
PlaceHolder::~PlaceHolder() = default;

void PlaceHolder::SetWindow(Window* window, Box* parent) {
  window_ = window;
  parent_ = parent;
}

void PlaceHolder::SetRule(int* field, int value) {
  if (value == *field) return;
  *field = value;
  Arrange();
}

void PlaceHolder::SetFixedWidth(int width) {
  if (AcceptLength(&width)) SetRule(&fixed_width_, width);
}

void PlaceHolder::SetFixedHeight(int height) {
  if (AcceptLength(&height)) SetRule(&fixed_height_, height);
}

void PlaceHolder::SetMinWidth(int width) { SetRule(&min_width_, ClampLimit(width)); }
void PlaceHolder::SetMinHeight(int height) { SetRule(&min_height_, ClampLimit(height)); }
void PlaceHolder::SetMaxWidth(int width) { SetRule(&max_width_, ClampLimit(width)); }
void PlaceHolder::SetMaxHeight(int height) { SetRule(&max_height_, ClampLimit(height)); }

namespace {

int ClampBetween(int value, int min_value, int max_value) {
  if (max_value >= 0 && value > max_value) value = max_value;
  if (min_value >= 0 && value < min_value) value = min_value;
  return value;
}

}  // namespace

int PlaceHolder::ClampWidth(int width) const { return ClampBetween(width, min_width_, max_width_); }

int PlaceHolder::ClampHeight(int height) const {
  return ClampBetween(height, min_height_, max_height_);
}

void PlaceHolder::SetMargin(const RECT& margin) {
  const RECT clamped = ClampMargin(margin);
  if (RectEquals(clamped, margin_)) return;
  margin_ = clamped;
  Arrange();
}

void PlaceHolder::SetHorAlign(HorAlign align) {
  if (align == hor_align_) return;
  hor_align_ = align;
  Arrange();
}

void PlaceHolder::SetVerAlign(VerAlign align) {
  if (align == ver_align_) return;
  ver_align_ = align;
  Arrange();
}

void PlaceHolder::SetFloat(bool is_float) {
  if (is_float == float_) return;
  float_ = is_float;
  Arrange();
}

bool PlaceHolder::StorePos(RECT rc) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  needs_layout_ = false;
  if (RectEquals(rc, pos_)) return false;
  const RECT old = pos_;
  pos_ = rc;
  InvalidateRect(RectUnion(old, rc));
  return true;
}

void PlaceHolder::SetPos(RECT rc) { StorePos(rc); }

SIZE PlaceHolder::EstimateSize(SIZE available) {
  const SIZE fixed = {fixed_width_, fixed_height_};
  if (fixed.cx != kLengthAuto && fixed.cy != kLengthAuto) return fixed;
  if (!reestimate_ && estimate_available_.cx == available.cx &&
      estimate_available_.cy == available.cy) {
    return estimate_;
  }
  SIZE size = CalcEstimateSize(fixed, available);
  if (size.cx == kLengthAuto) size.cx = 0;
  if (size.cy == kLengthAuto) size.cy = 0;
  estimate_ = size;
  estimate_available_ = available;
  reestimate_ = false;
  return size;
}

SIZE PlaceHolder::CalcEstimateSize(SIZE fixed, SIZE /*available*/) {
  if (fixed.cx == kLengthAuto) fixed.cx = 0;
  if (fixed.cy == kLengthAuto) fixed.cy = 0;
  return fixed;
}

SIZE PlaceHolder::EstimateWithWidth(int width, SIZE available) {
  const int saved = fixed_width_;
  fixed_width_ = std::clamp(width, 0, kLengthLimit);
  reestimate_ = true;
  const SIZE size = EstimateSize(available);
  fixed_width_ = saved;
  reestimate_ = true;
  return size;
}

void PlaceHolder::SetReEstimateSize() {
  for (PlaceHolder* p = this; p != nullptr; p = p->parent_) p->reestimate_ = true;
}

void PlaceHolder::Arrange() {
  SetReEstimateSize();
  needs_layout_ = true;
  if (parent_ != nullptr) parent_->SetNeedsLayout(true);
  if (window_ == nullptr) return;
  window_->RequestLayout();
  // The parent's area is what a new layout can change (the whole window when the parent is
  // auto-sized: the window's layout then moves whatever it must and invalidates it).
  InvalidateRect(parent_ != nullptr ? parent_->GetPos() : pos_);
}

void PlaceHolder::Invalidate() { InvalidateRect(pos_); }

RECT PlaceHolder::ClipByAncestors(RECT rc) const {
  for (const PlaceHolder* p = parent_; p != nullptr && !RectEmpty(rc); p = p->parent_) {
    rc = RectIntersect(rc, p->pos_);
  }
  return rc;
}

void PlaceHolder::InvalidateRect(const RECT& rc) {
  if (window_ == nullptr) return;
  const RECT clipped = ClipByAncestors(rc);
  if (!RectEmpty(clipped)) window_->Invalidate(clipped);
}

}  // namespace ui
