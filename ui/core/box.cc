#include "ui/core/box.h"

#include <algorithm>
#include <utility>

#include "ui/core/control_kinds.h"
#include "ui/core/linear_layout.h"
#include "ui/core/window.h"
#include "ui/markup/value_syntax.h"

namespace ui {

Box::Box(std::unique_ptr<Layout> layout)
    : layout_(layout ? std::move(layout) : std::make_unique<Layout>()) {
  layout_->SetOwner(this);
}

Box::~Box() {
  // Emptied before the children die, so none of them is found through the box meanwhile.
  ControlList items;
  items.swap(items_);
}

std::wstring Box::GetType() const { return kBoxKind; }

void Box::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (layout_->SetAttribute(name, value)) return;
  if (name == L"mousechild") {
    SetMouseChildEnabled(ParseBool(value));
    return;
  }
  Control::SetAttribute(name, value);
}

void Box::SetWindow(Window* window, Box* parent) {
  Control::SetWindow(window, parent);
  for (const auto& child : items_) child->SetWindow(window, this);
}

void Box::SetPos(RECT rc) {
  Control::SetPos(rc);
  const RECT& pos = GetPos();
  const RECT& padding = layout_->GetPadding();
  RECT inner = {pos.left + padding.left, pos.top + padding.top, pos.right - padding.right,
                pos.bottom - padding.bottom};
  if (inner.right < inner.left) inner.right = inner.left;
  if (inner.bottom < inner.top) inner.bottom = inner.top;
  layout_->ArrangeChild(items_, inner);
}

void Box::SetVisible(bool visible) {
  const bool was = IsOwnVisible();
  Control::SetVisible(visible);
  if (was == IsOwnVisible()) return;
  for (const auto& child : items_) child->SetInternVisible(IsVisible());
}

void Box::SetInternVisible(bool visible) {
  Control::SetInternVisible(visible);
  for (const auto& child : items_) child->SetInternVisible(IsVisible());
}

void Box::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  for (const auto& child : items_) child->SetEnabled(enabled);
}

void Box::ClearImageCache() {
  Control::ClearImageCache();
  for (const auto& child : items_) child->ClearImageCache();
}

Control* Box::FindControlAt(POINT pt) {
  if (!IsVisible() || !RectContains(GetPos(), pt)) return nullptr;
  if (!mouse_child_enabled_) return this;
  // Floating children are painted over the flow, so they are asked first (BX7).
  for (bool floating : {true, false}) {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
      if ((*it)->IsFloat() != floating) continue;
      if (Control* hit = (*it)->FindControlAt(pt)) return hit;
    }
  }
  return this;
}

void Box::ForEachControl(const std::function<void(Control*)>& visit) {
  visit(this);
  for (const auto& child : items_) child->ForEachControl(visit);
}

void Box::Adopt(Control* control) {
  if (GetWindow() != nullptr) {
    GetWindow()->InitControls(control, this);  // attaches and registers the names
  } else {
    control->SetWindow(nullptr, this);
  }
  if (!IsVisible()) control->SetInternVisible(false);
}

Control* Box::Add(std::unique_ptr<Control> control) {
  return AddAt(std::move(control), items_.size());
}

Control* Box::AddAt(std::unique_ptr<Control> control, size_t index) {
  if (control == nullptr) return nullptr;
  Control* child = control.get();
  Adopt(child);
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())),
                std::move(control));
  Arrange();
  return child;
}

ControlList::const_iterator Box::Find(const Control* control) const {
  return std::find_if(items_.begin(), items_.end(),
                      [control](const auto& child) { return child.get() == control; });
}

std::unique_ptr<Control> Box::Detach(Control* control) {
  auto it = Find(control);
  if (it == items_.end()) return nullptr;
  std::unique_ptr<Control> child = std::move(items_[static_cast<size_t>(it - items_.begin())]);
  items_.erase(it);
  Arrange();
  // Still attached to the window, which it tells when it is destroyed; no parent any more.
  child->SetWindow(GetWindow(), nullptr);
  return child;
}

bool Box::Remove(Control* control) { return Detach(control) != nullptr; }

Control* Box::GetItemAt(size_t index) const {
  return index < items_.size() ? items_[index].get() : nullptr;
}

int Box::GetItemIndex(const Control* control) const {
  auto it = Find(control);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

SIZE Box::CalcEstimateSize(SIZE fixed, SIZE available) {
  const RECT& padding = layout_->GetPadding();
  const SIZE inner = {std::max<LONG>(0, available.cx - padding.left - padding.right),
                      std::max<LONG>(0, available.cy - padding.top - padding.bottom)};
  const SIZE needed = layout_->EstimateSizeByChild(items_, inner);
  if (fixed.cx == kLengthAuto) fixed.cx = needed.cx;
  if (fixed.cy == kLengthAuto) fixed.cy = needed.cy;
  return fixed;
}

void Box::PaintChildren(IRenderContext* render, const RECT& update_rect) {
  // Flow first, floating children over it.
  for (bool floating : {false, true}) {
    for (const auto& child : items_) {
      if (child->IsFloat() == floating && child->IsVisible()) child->Paint(render, update_rect);
    }
  }
}

HBox::HBox() : Box(std::make_unique<HLayout>()) {}
std::wstring HBox::GetType() const { return kHBoxKind; }

VBox::VBox() : Box(std::make_unique<VLayout>()) {}
std::wstring VBox::GetType() const { return kVBoxKind; }

}  // namespace ui
