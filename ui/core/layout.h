// How a box places its children. Layout stacks them on top of each other, each on its own
// inside the box (Box); HLayout and VLayout (linear_layout.h) put them in a row or a column.
//
// Stacked placement of one child (SetFloatPos), inside the box's inner rectangle:
//  - The available area is the inner rectangle reduced by the child's margin (w x h).
//  - The child is estimated with (w, h). A child whose width and height are both auto and
//    whose maximum width is the default, and whose estimated width exceeds w, is estimated
//    again with its width fixed to w (wrapping text then reports its height); its width
//    rule is auto again afterwards.
//  - A stretch (-1) width becomes max(w, 0), any other negative width 0; the width is
//    clamped to the child's minimum and maximum. The height likewise.
//  - Left/top place it at the area's start, center at start + (free space) / 2 (integer
//    division truncating toward zero), right/bottom end it at the area's end.
// Padding and child margin are lengths in pixels (the attribute reader scales them).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {

class Box;
class Control;

// A box's children, owned by the box.
using ControlList = std::vector<std::unique_ptr<Control>>;

class Layout {
 public:
  Layout() = default;
  virtual ~Layout() = default;
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  void SetOwner(Box* owner) { owner_ = owner; }

  // "padding" and "childmargin" (DPI-scaled here); false for any other name.
  virtual bool SetAttribute(const std::wstring& name, const std::wstring& value);

  const RECT& GetPadding() const { return padding_; }
  void SetPadding(const RECT& padding);
  int GetChildMargin() const { return child_margin_; }
  void SetChildMargin(int margin);

  // Places the visible children inside |inner| (the box's position less its padding) and
  // answers the size they need, padding included.
  virtual SIZE ArrangeChild(const ControlList& items, RECT inner);
  // The size the children need when the box is auto-sized, padding included; |available|
  // is the box's available size less its padding.
  virtual SIZE EstimateSizeByChild(const ControlList& items, SIZE available);

  // Stacked placement of one child against |container|; answers the size given.
  static SIZE SetFloatPos(Control* child, RECT container);

 protected:
  // Adds the padding to a size the children need.
  SIZE AddPadding(long long width, long long height) const;
  // Tells the owner that its layout rule changed.
  void ArrangeOwner();

 private:
  Box* owner_ = nullptr;
  RECT padding_ = {0, 0, 0, 0};
  int child_margin_ = 0;
};

}  // namespace ui
