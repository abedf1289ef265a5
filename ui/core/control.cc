#include "ui/core/control.h"

#include <utility>

#include "ui/core/box.h"
#include "ui/core/control_kinds.h"
#include "ui/core/hot_fade.h"
#include "ui/core/window.h"

namespace ui {

Control::Control() = default;

Control::~Control() {
  hot_fade_.reset();
  if (GetWindow() != nullptr) GetWindow()->ReapObjects(this);
}

std::wstring Control::GetType() const { return kControlKind; }

void Control::SetPos(RECT rc) {
  if (!StorePos(rc)) return;
  if (GetWindow() != nullptr) GetWindow()->SendNotify(this, kEventResize);
}

void Control::OnHidden() {
  if (hot_fade_) hot_fade_->Stop();
  if (IsFocused()) GetWindow()->SetFocus(nullptr);
}

void Control::SetVisible(bool visible) {
  if (visible == IsOwnVisible()) return;
  const bool was = IsVisible();
  SetOwnVisibleFlag(visible);
  SetReEstimateSize();
  if (!IsVisible()) OnHidden();
  if (was == IsVisible()) return;
  Arrange();
  if (GetWindow() != nullptr) GetWindow()->OnControlVisibilityChanged(this);
}

void Control::SetInternVisible(bool visible) {
  if (visible == IsInternVisible()) return;
  const bool was = IsVisible();
  SetInternVisibleFlag(visible);
  if (was == IsVisible()) return;
  SetReEstimateSize();
  if (!IsVisible()) OnHidden();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (hot_fade_) hot_fade_->Stop();
  mouse_pressed_ = false;
  if (enabled) {
    state_ = kControlStateNormal;
    hot_alpha_ = 0;
  } else {
    state_ = kControlStateDisabled;
  }
  Invalidate();
  NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

void Control::SetState(ControlState state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

void Control::SetHotAlpha(int alpha) { hot_alpha_ = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha; }

void Control::SetAlpha(int alpha) {
  alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
  if (alpha == alpha_) return;
  alpha_ = alpha;
  Invalidate();
}

bool Control::IsActivatable() const { return IsVisible() && IsEnabled(); }

bool Control::Activate() { return IsActivatable(); }

bool Control::CanGetFocus() const {
  return IsTabStop() && keyboard_enabled_ && !no_focus_ && IsVisible() && IsEnabled();
}

bool Control::IsFocused() const {
  return GetWindow() != nullptr && GetWindow()->GetFocus() == this;
}

void Control::SetFocus() {
  if (GetWindow() != nullptr && CanGetFocus()) GetWindow()->SetFocus(this);
}

ControlRole Control::GetRole() const { return role_.value_or(DefaultRole()); }

std::wstring Control::GetAccessibleName() const {
  return accessible_name_.empty() ? VisibleText() : accessible_name_;
}

void Control::SetAccessibleName(const std::wstring& name) {
  if (name == accessible_name_) return;
  accessible_name_ = name;
  NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

ControlFacts Control::GetFacts() const {
  ControlFacts facts;
  facts.visible = IsVisible();
  facts.enabled = IsEnabled();
  facts.focusable = CanGetFocus();
  facts.focused = IsFocused();
  return facts;
}

void Control::NotifyAccessible(DWORD event) {
  if (GetWindow() != nullptr) GetWindow()->NotifyAccessibleEvent(this, event);
}

void Control::SetBkColor(const std::wstring& color) {
  if (color == bk_color_) return;
  bk_color_ = color;
  Invalidate();
}

void Control::SetStateColor(ControlState state, const std::wstring& color) {
  colors_.Set(state, color);
  Invalidate();
}

void Control::SetBkImage(const std::wstring& descriptor) {
  if (descriptor == bk_image_.GetDescriptor()) return;
  bk_image_.SetDescriptor(descriptor);
  // The background image may decide an auto size.
  Arrange();
}

void Control::SetStateImage(ControlState state, const std::wstring& descriptor) {
  images_.background.Get(state).SetDescriptor(descriptor);
  UpdateHotFade();
  if (state == kControlStateNormal) {
    Arrange();
  } else {
    Invalidate();
  }
}

void Control::SetForeStateImage(ControlState state, const std::wstring& descriptor) {
  images_.foreground.Get(state).SetDescriptor(descriptor);
  UpdateHotFade();
  Invalidate();
}

void Control::UpdateHotFade() {
  if (images_.HasHotImage()) {
    if (!hot_fade_) hot_fade_ = std::make_unique<HotFade>(this);
  } else {
    hot_fade_.reset();
  }
}

void Control::AttachEvent(EventType type, EventCallback callback) {
  if (callback) events_[type].push_back(std::move(callback));
}

bool Control::RunHandlers(EventType key, EventArgs& args,
                          const std::weak_ptr<corekit::WeakFlag>& me) {
  for (size_t i = 0;; ++i) {
    // Looked up again for each handler: the one before may have attached or detached
    // handlers, and a copy keeps the running one alive while its list changes.
    auto found = events_.find(key);
    if (found == events_.end() || i >= found->second.size()) return true;
    EventCallback callback = found->second[i];
    const bool go_on = callback(args);
    if (me.expired()) return false;  // the handler destroyed this control (CT2)
    if (!go_on) return false;
  }
}

void Control::HandleMessageTemplate(EventArgs& args) {
  const std::weak_ptr<corekit::WeakFlag> me = GetWeakFlag();
  if (args.sender == this) {
    if (!RunHandlers(args.type, args, me)) return;
    if (!RunHandlers(kEventAll, args, me)) return;
  }
  HandleMessage(args);
}

void Control::HandleMessageTemplate(EventType type, WPARAM w_param, LPARAM l_param,
                                    wchar_t key) {
  const POINT mouse = GetWindow() != nullptr ? GetWindow()->GetLastMousePos() : POINT{0, 0};
  EventArgs args = MakeEventArgs(type, this, mouse, w_param, l_param, key);
  HandleMessageTemplate(args);
}

EventArgs MakeEventArgs(EventType type, Control* sender, POINT mouse_pos, WPARAM w_param,
                        LPARAM l_param, wchar_t key) {
  EventArgs args;
  args.type = type;
  args.sender = sender;
  args.mouse_pos = mouse_pos;
  args.w_param = w_param;
  args.l_param = l_param;
  args.key = key;
  args.timestamp = ::GetTickCount();
  return args;
}

void Control::BubbleToParent(EventArgs& args) {
  if (GetParent() != nullptr) GetParent()->HandleMessageTemplate(args);
}

void Control::HandleMessage(EventArgs& args) {
  if (IsMouseEvent(args.type) && !mouse_enabled_) {
    BubbleToParent(args);
    return;
  }
  switch (args.type) {
    case kEventMouseEnter:
    case kEventMouseLeave:
      OnMouseEnterLeave(args.type == kEventMouseEnter);
      BubbleToParent(args);
      return;
    case kEventMouseButtonDown:
    case kEventMouseDoubleClick:
      if (enabled_) {
        state_ = kControlStatePushed;
        mouse_pressed_ = true;
        Invalidate();
      }
      return;
    case kEventMouseButtonUp:
      OnButtonUp(args);
      return;
    case kEventSetCursor:
      OnSetCursor();
      return;
    case kEventResize:
      return;
    default:
      BubbleToParent(args);
      return;
  }
}

void Control::OnMouseEnterLeave(bool enter) {
  if (!enabled_) return;
  const ControlState from = enter ? kControlStateNormal : kControlStateHot;
  if (state_ != from) return;
  state_ = enter ? kControlStateHot : kControlStateNormal;
  if (hot_fade_) hot_fade_->Start(enter);
  Invalidate();
}

void Control::OnButtonUp(const EventArgs& args) {
  if (!mouse_pressed_) return;
  mouse_pressed_ = false;
  if (hot_fade_) hot_fade_->Stop();
  Invalidate();
  if (!enabled_) return;
  if (RectContains(GetPos(), args.mouse_pos)) {
    state_ = kControlStateHot;
    hot_alpha_ = 255;
    Activate();  // may destroy this control: nothing follows
  } else {
    state_ = kControlStateNormal;
    hot_alpha_ = 0;
  }
}

void Control::OnSetCursor() {
  const wchar_t* id = IDC_ARROW;
  if (cursor_type_ == CursorType::kIBeam) {
    id = IDC_IBEAM;
  } else if (cursor_type_ == CursorType::kHand && enabled_) {
    id = IDC_HAND;
  }
  ::SetCursor(::LoadCursorW(nullptr, id));
}

Control* Control::FindControlAt(POINT pt) {
  return IsVisible() && RectContains(GetPos(), pt) ? this : nullptr;
}

void Control::ForEachControl(const std::function<void(Control*)>& visit) { visit(this); }

SIZE Control::EstimateText(SIZE /*available*/) { return SIZE{0, 0}; }

}  // namespace ui
