// Boxes: controls that own children and place them with a layout. Box stacks them, HBox puts
// them in a row, VBox in a column (layout.h, linear_layout.h).
//
//  BX1. Add refuses a null control (answers null). Otherwise the box takes the child, attaches
//      it to the box's window with the box as parent; a hidden box marks the child as not
//      visible through its parent (its own flag is kept); the child is appended, the box
//      asks for a layout, and Add answers the child for the caller to look at.
//  BX2. Remove destroys the child it takes out; Detach takes one out and
//      hands it back undestroyed, still attached to the window (destroy it before the
//      window, or hand it to Window::AddDelayedCleanup).
//  BX3. Attributes go to the layout first ("padding", "childmargin"), then "mousechild" is
//      handled here, then the control base.
//  BX4. SetVisible, SetInternVisible and SetEnabled pass the effective visibility and the
//      enabled flag on to every child.
//  BX5. SetPos stores the position (control.h) and then always lays the children out inside
//      it less the padding, so a layout from the root reaches every changed descendant.
//  BX6. An auto-sized box answers its layout's required size for the auto dimension(s).
//  BX7. FindControlAt looks at the children from the last to the first (floating children
//      first), so the one painted on top wins; with "mousechild" off the box answers itself.
//  BX8. Children are painted in child order after the box itself, each clipped to its own
//      position within the update rectangle.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/core/control.h"
#include "ui/core/layout.h"

namespace ui {

class Box : public Control {
 public:
  // Takes the layout; null gives the stacked Layout.
  explicit Box(std::unique_ptr<Layout> layout = nullptr);
  ~Box() override;

  std::wstring GetType() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void SetWindow(Window* window, Box* parent) override;
  void SetPos(RECT rc) override;
  void SetVisible(bool visible) override;
  void SetInternVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void ClearImageCache() override;
  Control* FindControlAt(POINT pt) override;
  void ForEachControl(const std::function<void(Control*)>& visit) override;

  // Children (BX1, BX2).
  Control* Add(std::unique_ptr<Control> control);
  Control* AddAt(std::unique_ptr<Control> control, size_t index);
  template <typename T>
  T* Add(std::unique_ptr<T> control) {
    return static_cast<T*>(Add(std::unique_ptr<Control>(std::move(control))));
  }
  bool Remove(Control* control);
  // Takes |control| out without destroying it; null when it is not a child.
  std::unique_ptr<Control> Detach(Control* control);
  size_t GetCount() const { return items_.size(); }
  Control* GetItemAt(size_t index) const;
  // Position of |control| among the children, or -1.
  int GetItemIndex(const Control* control) const;
  const ControlList& items() const { return items_; }

  Layout* GetLayout() const { return layout_.get(); }
  bool IsMouseChildEnabled() const { return mouse_child_enabled_; }
  void SetMouseChildEnabled(bool enabled) { mouse_child_enabled_ = enabled; }

 protected:
  SIZE CalcEstimateSize(SIZE fixed, SIZE available) override;
  void PaintChildren(IRenderContext* render, const RECT& update_rect) override;

 private:
  void Adopt(Control* control);
  ControlList::const_iterator Find(const Control* control) const;

  std::unique_ptr<Layout> layout_;
  ControlList items_;
  bool mouse_child_enabled_ = true;
};

class HBox : public Box {
 public:
  HBox();
  std::wstring GetType() const override;
};

class VBox : public Box {
 public:
  VBox();
  std::wstring GetType() const override;
};

}  // namespace ui
