// Window: double-buffered painting of the control tree (rule WN9 in window.h).
#include "ui/core/box.h"
#include "ui/core/focus_mark.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"

namespace ui {
namespace {

// BeginPaint / EndPaint as a pair.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  ~ScopedPaint() { ::EndPaint(hwnd_, &ps_); }
  HDC dc() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_ = {};
  HDC dc_;
};

}  // namespace

void Window::OnPaint() {
  if (::IsIconic(hwnd_) || !root_) {
    ScopedPaint validate(hwnd_);
    return;
  }
  if (layout_needed_ && (root_->GetFixedWidth() == kLengthAuto ||
                         root_->GetFixedHeight() == kLengthAuto)) {
    ResizeToAutoRoot();
  }
  RECT update = {0, 0, 0, 0};
  if (!::GetUpdateRect(hwnd_, &update, FALSE) && !first_paint_) return;

  ScopedPaint paint(hwnd_);
  update = paint.rect();
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(hwnd_, &client);
  if (layout_needed_) {
    layout_needed_ = false;
    if (!RectEmpty(client)) root_->SetPos(client);
    if (first_paint_) {
      first_paint_ = false;
      OnInitLayout();
    }
    // The layout invalidated what moved; paint it now rather than in one more WM_PAINT.
    RECT moved = {0, 0, 0, 0};
    if (::GetUpdateRect(hwnd_, &moved, FALSE)) {
      update = RectUnion(update, moved);
      ::ValidateRect(hwnd_, &moved);
    }
  }
  if (!render_) return;  // no renderer: laid out, nothing to paint with
  if (render_->Resize(RectWidth(client), RectHeight(client))) update = client;
  update = RectIntersect(update, client);
  if (RectEmpty(update)) return;
  {
    ScopedClip clip(*render_, update);
    root_->Paint(render_.get(), update);
    PaintFocusMark();
  }
  ::BitBlt(paint.dc(), update.left, update.top, RectWidth(update), RectHeight(update),
           render_->GetDC(), update.left, update.top, SRCCOPY);
}

void Window::PaintFocusMark() {
  if (!focus_cues_ || focus_ == nullptr || !focus_->IsVisible()) return;
  ui::PaintFocusMark(render_.get(), focus_->GetPos(), GlobalManager::Get().dpi().Scale(kFocusMarkWidth));
}

void Window::ResizeToAutoRoot() {
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(hwnd_, &client);
  const SIZE current = {RectWidth(client), RectHeight(client)};
  const SIZE size = AutoRootSize(current);
  if (size.cx == current.cx && size.cy == current.cy) return;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Window::AutoRootSize(SIZE current) {
  if (!root_) return current;
  const SIZE estimate = root_->EstimateSize(SIZE{kAutoRootAvailable, kAutoRootAvailable});
  SIZE size = current;
  if (root_->GetFixedWidth() == kLengthAuto) size.cx = root_->ClampWidth(estimate.cx);
  if (root_->GetFixedHeight() == kLengthAuto) size.cy = root_->ClampHeight(estimate.cy);
  return size;
}

}  // namespace ui
