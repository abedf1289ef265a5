// Window: page switches, accessible events and the accessible object (rules WN11-WN13 in
// window.h).
#include <algorithm>

#include "ui/core/box.h"
#include "ui/core/oleacc_library.h"
#include "ui/core/window.h"

namespace ui {

bool Window::HandleAccessibilityMessage(UINT msg, WPARAM w_param, LPARAM l_param, LRESULT* result) {
  switch (msg) {
    case WM_GETOBJECT: {
      if (static_cast<LONG>(static_cast<DWORD>(l_param)) != OBJID_CLIENT || hwnd_ == nullptr) return false;
      const OleaccEntries* oleacc = GetOleacc();
      if (oleacc == nullptr) return false;
      if (!accessible_) accessible_ = std::make_unique<AccessibleHost>(this);
      *result = accessible_->Answer(w_param, *oleacc);
      return *result != 0;
    }
    case kPageSwitchMessage:
      OnPageSwitch();
      return true;
    case kDefaultActionMessage:
      RunDefaultAction();
      return true;
    default:
      return false;
  }
}

void Window::OnControlVisibilityChanged(Control* control) {
  if (hwnd_ == nullptr) return;
  // A box that appears is a page (or a view of one); a single control that appears is not.
  if (control->IsVisible() && dynamic_cast<Box*>(control) != nullptr) shown_page_ = control;
  if (page_switch_posted_) return;
  page_switch_posted_ = ::PostMessageW(hwnd_, kPageSwitchMessage, 0, 0) != FALSE;
}

void Window::OnPageSwitch() {
  page_switch_posted_ = false;
  ::NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd_, OBJID_CLIENT, CHILDID_SELF);
  Control* page = shown_page_;
  shown_page_ = nullptr;
  if (page == nullptr || !page->IsVisible() || (focus_ != nullptr && focus_->IsVisible())) return;
  Control* focusable = nullptr;
  Control* readable = nullptr;
  page->ForEachControl([&](Control* c) {
    if (!c->IsVisible()) return;
    if (focusable == nullptr && c->CanGetFocus()) focusable = c;
    if (readable == nullptr && c->GetRole() != ControlRole::kNone && !c->IsNoFocus()) readable = c;
  });
  if (focusable != nullptr) {
    MoveFocus(focusable);
  } else if (readable != nullptr) {
    page_focus_ = readable;
    NotifyAccessibleEvent(readable, EVENT_OBJECT_FOCUS);
  }
}

std::vector<Control*> Window::GetAccessibleChildren() const {
  std::vector<Control*> children;
  if (root_) {
    root_->ForEachControl([&children](Control* c) {
      if (c->IsVisible() && c->GetRole() != ControlRole::kNone) children.push_back(c);
    });
  }
  return children;
}

Control* Window::GetAccessibleFocus() const {
  if (focus_ != nullptr) return focus_;
  return page_focus_ != nullptr && page_focus_->IsVisible() ? page_focus_ : nullptr;
}

void Window::NotifyAccessibleEvent(Control* control, DWORD event) {
  if (hwnd_ == nullptr || control == nullptr) return;
  const std::vector<Control*> children = GetAccessibleChildren();
  const auto it = std::find(children.begin(), children.end(), control);
  if (it == children.end()) return;
  ::NotifyWinEvent(event, hwnd_, OBJID_CLIENT, static_cast<LONG>(it - children.begin()) + 1);
}

void Window::DoDefaultActionLater(Control* control) {
  if (hwnd_ == nullptr || control == nullptr) return;
  default_actions_.emplace_back(control->GetWeakFlag(), control);
  if (!::PostMessageW(hwnd_, kDefaultActionMessage, 0, 0)) default_actions_.pop_back();
}

void Window::RunDefaultAction() {
  if (default_actions_.empty()) return;
  const auto [alive, control] = default_actions_.front();
  default_actions_.erase(default_actions_.begin());
  // The action may destroy the control, the tree or the window: nothing follows it.
  if (!alive.expired()) control->Activate();
}

}  // namespace ui
