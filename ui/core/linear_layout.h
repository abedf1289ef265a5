// Row (HLayout) and column (VLayout) placement. One algorithm serves both: the main axis is
// the direction the children follow each other (x for a row, y for a column), the cross
// axis the other one. Described for a column (exchange the axes for a row):
//
//  - First pass over the visible, non-floating children, each estimated with the inner
//    size (W, H): a height of -1 counts as a stretch child and adds only its top margin;
//    any other height is clamped to the child's minimum and maximum and adds height + top
//    margin; every child adds its bottom margin. The child margin is added (count - 1)
//    times.
//  - With S stretch children, each gets (H - fixed total) / S, or 0 when that is below 1;
//    the remainder of that division goes one pixel at a time to the first stretch
//    children.
//  - Second pass, top to bottom, with y = inner top and R = H remaining: a floating child
//    is placed by the stacked rule against the whole inner rectangle. Every other visible
//    child is estimated with (W, R - top margin); a -1 height takes its share (plus one
//    while the remainder lasts); the height is clamped. A -1 width is W less the left and
//    right margins; a negative width is 0; the width is clamped.
//  - Cross alignment ("halign" in a column, "valign" in a row): start -> inner start +
//    start margin; center -> inner start + (W + start margin - end margin - width) / 2,
//    truncating toward zero; end -> inner end - end margin. The child's top is y + top
//    margin; y then advances by top margin + height + bottom margin + child margin.
//  - The required size: main = the sum of (size + both margins) + child margin x
//    (count - 1); cross = the largest (size + both margins); both plus the padding. A
//    stretch size counts as 0 there.
//  - Sums are kept in 64 bits and positions clamped, so absurd lengths cannot overflow.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/core/layout.h"

namespace ui {

class LinearLayout : public Layout {
 public:
  explicit LinearLayout(bool horizontal) : horizontal_(horizontal) {}

  SIZE ArrangeChild(const ControlList& items, RECT inner) override;
  SIZE EstimateSizeByChild(const ControlList& items, SIZE available) override;

  bool IsHorizontal() const { return horizontal_; }

 private:
  const bool horizontal_;
};

class HLayout : public LinearLayout {
 public:
  HLayout() : LinearLayout(true) {}
};

class VLayout : public LinearLayout {
 public:
  VLayout() : LinearLayout(false) {}
};

}  // namespace ui
