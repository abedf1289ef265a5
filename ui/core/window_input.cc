// Window: mouse, keyboard, focus and cursor (rules WN5-WN7 in window.h).
#include <windowsx.h>

#include <vector>

#include "ui/core/box.h"
#include "ui/core/focus_mark.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

POINT PointOf(LPARAM l_param) { return POINT{GET_X_LPARAM(l_param), GET_Y_LPARAM(l_param)}; }

}  // namespace

bool Window::HandleMouseMessage(UINT msg, WPARAM /*w_param*/, LPARAM l_param) {
  switch (msg) {
    case WM_MOUSEMOVE:
      OnMouseMove(PointOf(l_param));
      return true;
    case WM_LBUTTONDOWN:
      OnButtonDown(kEventMouseButtonDown, PointOf(l_param));
      return true;
    case WM_LBUTTONDBLCLK:
      OnButtonDown(kEventMouseDoubleClick, PointOf(l_param));
      return true;
    case WM_RBUTTONDOWN:
      OnButtonDown(kEventMouseRightButtonDown, PointOf(l_param));
      return true;
    case WM_LBUTTONUP:
      OnButtonUp(kEventMouseButtonUp, PointOf(l_param));
      return true;
    case WM_RBUTTONUP:
      OnButtonUp(kEventMouseRightButtonUp, PointOf(l_param));
      return true;
    case WM_MOUSEHOVER:
      if (hot_ != nullptr) SendEvent(hot_, kEventMouseHover, PointOf(l_param));
      return true;
    case WM_MOUSELEAVE:
      OnMouseLeaveWindow();
      return true;
    case WM_KILLFOCUS:
      ReleaseCaptured(last_mouse_pos_);
      return false;
    default:
      return false;
  }
}

void Window::OnMouseMove(POINT pt) {
  if (!mouse_tracking_) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, hwnd_, kDefaultHoverMs};
    mouse_tracking_ = ::TrackMouseEvent(&track) != FALSE;
  }
  last_mouse_pos_ = pt;
  SetHot(FindControl(pt));
  Control* target = captured_ != nullptr ? captured_ : hot_;
  if (target != nullptr) SendEvent(target, kEventMouseMove, pt);
}

void Window::SetHot(Control* control) {
  if (control == hot_) return;
  Control* old = hot_;
  hot_ = control;
  if (old != nullptr) SendEvent(old, kEventMouseLeave, last_mouse_pos_);
  // A leave handler may have destroyed |control| (ReapObjects then cleared hot_).
  if (control != nullptr && hot_ == control) SendEvent(control, kEventMouseEnter, last_mouse_pos_);
}

void Window::OnMouseLeaveWindow() {
  mouse_tracking_ = false;
  SetHot(nullptr);
}

void Window::OnButtonDown(EventType type, POINT pt) {
  ::SetFocus(hwnd_);
  last_mouse_pos_ = pt;
  Control* control = FindControl(pt);
  if (control == nullptr) return;
  captured_ = control;
  ::SetCapture(hwnd_);
  control->SetFocus();
  // SetFocus may have run kill-focus handlers that destroyed the control.
  if (captured_ == control) SendEvent(control, type, pt);
}

void Window::OnButtonUp(EventType type, POINT pt) {
  last_mouse_pos_ = pt;
  Control* control = captured_;
  captured_ = nullptr;
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  if (control != nullptr) SendEvent(control, type, pt);
}

void Window::ReleaseCaptured(POINT pt) {
  Control* control = captured_;
  captured_ = nullptr;
  if (control == nullptr) return;
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  SendEvent(control, kEventMouseButtonUp, pt);
}

bool Window::OnSetCursor(WPARAM /*w_param*/, LPARAM l_param) {
  if (LOWORD(l_param) != HTCLIENT) return false;
  if (captured_ != nullptr) return true;
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(hwnd_, &pt);
  Control* control = FindControl(pt);
  if (control == nullptr) return false;
  SendEvent(control, kEventSetCursor, pt);
  return true;
}

bool Window::HandleKeyMessage(UINT msg, WPARAM w_param, LPARAM l_param) {
  switch (msg) {
    case WM_KEYDOWN:
      ShowFocusCues();
      if (w_param == VK_TAB && !(focus_ != nullptr && focus_->IsWantTab())) {
        SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0);
        return true;
      }
      if (focus_ == nullptr) return false;
      key_target_ = focus_;
      SendEvent(focus_, kEventKeyDown, last_mouse_pos_, w_param, l_param,
                static_cast<wchar_t>(w_param));
      return true;
    case WM_KEYUP: {
      Control* target = key_target_ != nullptr ? key_target_ : focus_;
      key_target_ = nullptr;
      if (target == nullptr) return false;
      SendEvent(target, kEventKeyUp, last_mouse_pos_, w_param, l_param,
                static_cast<wchar_t>(w_param));
      return true;
    }
    case WM_CHAR:
      if (focus_ == nullptr) return false;
      SendEvent(focus_, kEventChar, last_mouse_pos_, w_param, l_param,
                static_cast<wchar_t>(w_param));
      return true;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
      if (focus_ == nullptr) return false;
      SendEvent(focus_,
                msg == WM_IME_STARTCOMPOSITION ? kEventImeStartComposition
                                               : kEventImeEndComposition,
                last_mouse_pos_, w_param, l_param);
      return false;  // the system still shows its composition window
    default:
      return false;
  }
}

void Window::SetFocus(Control* control) {
  if (hwnd_ != nullptr && ::GetFocus() != hwnd_ && control != focus_) ::SetFocus(hwnd_);
  MoveFocus(control);
}

void Window::MoveFocus(Control* control) {
  if (control == focus_) return;
  if (Control* old = focus_) {
    InvalidateFocusMark(old);
    focus_ = nullptr;
    SendNotify(old, kEventKillFocus);
  }
  if (control == nullptr || control->GetWindow() != this || !control->CanGetFocus()) return;
  focus_ = control;
  page_focus_ = nullptr;
  InvalidateFocusMark(control);
  SendNotify(control, kEventSetFocus);
  // A set-focus handler may have moved the focus on, or destroyed |control|.
  if (focus_ == control) NotifyAccessibleEvent(control, EVENT_OBJECT_FOCUS);
}

bool Window::FocusTakesKey(UINT virtual_key) const {
  return focus_ != nullptr && focus_->CanGetFocus() && ActivatesOnKey(focus_->GetRole(), virtual_key);
}

void Window::ShowFocusCues() {
  if (focus_cues_) return;
  focus_cues_ = true;
  InvalidateFocusMark(focus_);
}

void Window::InvalidateFocusMark(const Control* control) {
  if (!focus_cues_ || control == nullptr || hwnd_ == nullptr) return;
  const int width = GlobalManager::Get().dpi().Scale(kFocusMarkWidth);
  Invalidate(FocusMarkBounds(control->GetPos(), width));
}

bool Window::SetNextTabControl(bool forward) {
  if (!root_) return false;
  std::vector<Control*> order;
  root_->ForEachControl([&order](Control* c) {
    if (c->CanGetFocus()) order.push_back(c);
  });
  if (order.empty()) return false;
  size_t next = forward ? 0 : order.size() - 1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] != focus_) continue;
    next = forward ? (i + 1) % order.size() : (i + order.size() - 1) % order.size();
    break;
  }
  SetFocus(order[next]);
  return true;
}

}  // namespace ui
