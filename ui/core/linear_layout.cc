#include "ui/core/linear_layout.h"

#include <algorithm>

#include "ui/core/control.h"

namespace ui {
namespace {

// The main axis is x for a row and y for a column; everything below is written for the main
// and cross axes so one algorithm serves both.
struct Axis {
  bool horizontal;

  int Main(SIZE s) const { return horizontal ? s.cx : s.cy; }
  int Cross(SIZE s) const { return horizontal ? s.cy : s.cx; }
  int MainStart(const RECT& r) const { return horizontal ? r.left : r.top; }
  int MainEnd(const RECT& r) const { return horizontal ? r.right : r.bottom; }
  int CrossStart(const RECT& r) const { return horizontal ? r.top : r.left; }
  int CrossEnd(const RECT& r) const { return horizontal ? r.bottom : r.right; }
  int ClampMain(const Control* c, int v) const {
    return horizontal ? c->ClampWidth(v) : c->ClampHeight(v);
  }
  int ClampCross(const Control* c, int v) const {
    return horizontal ? c->ClampHeight(v) : c->ClampWidth(v);
  }
  // 0 start, 1 center, 2 end.
  int CrossAlign(const Control* c) const {
    if (horizontal) {
      const VerAlign a = c->GetVerAlign();
      return a == VerAlign::kCenter ? 1 : a == VerAlign::kBottom ? 2 : 0;
    }
    const HorAlign a = c->GetHorAlign();
    return a == HorAlign::kCenter ? 1 : a == HorAlign::kRight ? 2 : 0;
  }
  SIZE MakeSize(int main, int cross) const {
    return horizontal ? SIZE{main, cross} : SIZE{cross, main};
  }
  RECT MakeRect(long long main_start, long long cross_start, int main, int cross) const {
    const int m0 = Coordinate(main_start);
    const int c0 = Coordinate(cross_start);
    const int m1 = Coordinate(main_start + main);
    const int c1 = Coordinate(cross_start + cross);
    return horizontal ? RECT{m0, c0, m1, c1} : RECT{c0, m0, c1, m1};
  }
  static int Coordinate(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -kLengthLimit * 4LL, kLengthLimit * 4LL));
  }
};

bool InFlow(const Control* c) { return c->IsVisible() && !c->IsFloat(); }

// How the free main length is shared among the stretch children.
struct StretchShare {
  int each = 0;
  long long remainder = 0;
};

}  // namespace

SIZE LinearLayout::ArrangeChild(const ControlList& items, RECT inner) {
  const Axis axis{horizontal_};
  const int main_room = axis.Main(SIZE{RectWidth(inner), RectHeight(inner)});
  const int cross_room = axis.Cross(SIZE{RectWidth(inner), RectHeight(inner)});
  const SIZE room = axis.MakeSize(main_room, cross_room);

  // First pass: the fixed total and the stretch children.
  long long fixed = 0;
  int stretch_count = 0;
  int count = 0;
  for (const auto& child : items) {
    if (!InFlow(child.get())) continue;
    const RECT& m = child->GetMargin();
    const int main = axis.Main(child->EstimateSize(room));
    if (main == kLengthStretch) {
      ++stretch_count;
    } else {
      fixed += axis.ClampMain(child.get(), std::max(main, 0));
    }
    fixed += axis.MainStart(m) + axis.MainEnd(m);
    ++count;
  }
  if (count > 1) fixed += static_cast<long long>(GetChildMargin()) * (count - 1);

  // The stretch share.
  StretchShare share;
  if (stretch_count > 0) {
    const long long free = main_room - fixed;
    const long long each = free / stretch_count;
    if (each >= 1) {
      share.each = static_cast<int>(std::min<long long>(each, kLengthLimit));
      share.remainder = free % stretch_count;
    } else if (free > 0) {
      share.remainder = free;
    }
  }

  // Placement along the main axis, then across it.
  long long pos = axis.MainStart(inner);
  long long remaining = main_room;
  long long needed_main = 0;
  long long needed_cross = 0;
  for (const auto& child : items) {
    if (!child->IsVisible()) continue;
    if (child->IsFloat()) {
      SetFloatPos(child.get(), inner);
      continue;
    }
    const RECT& m = child->GetMargin();
    const int main_avail = Axis::Coordinate(remaining - axis.MainStart(m));
    const SIZE estimate = child->EstimateSize(axis.MakeSize(main_avail, cross_room));
    int main = axis.Main(estimate);
    if (main == kLengthStretch) {
      main = share.each;
      if (share.remainder > 0) {
        ++main;
        --share.remainder;
      }
    }
    main = axis.ClampMain(child.get(), std::max(main, 0));
    int cross = axis.Cross(estimate);
    if (cross == kLengthStretch) {
      cross = ClampLength(static_cast<long long>(cross_room) - axis.CrossStart(m) - axis.CrossEnd(m));
    }
    cross = axis.ClampCross(child.get(), std::max(cross, 0));

    const long long inner_start = axis.CrossStart(inner);
    long long cross_start = inner_start + axis.CrossStart(m);
    const int align = axis.CrossAlign(child.get());
    if (align == 1) {
      cross_start = inner_start + (static_cast<long long>(cross_room) + axis.CrossStart(m) -
                                   axis.CrossEnd(m) - cross) / 2;
    } else if (align == 2) {
      cross_start = static_cast<long long>(axis.CrossEnd(inner)) - axis.CrossEnd(m) - cross;
    }
    const long long main_start = pos + axis.MainStart(m);
    child->SetPos(axis.MakeRect(main_start, cross_start, main, cross));

    const long long step = static_cast<long long>(axis.MainStart(m)) + main + axis.MainEnd(m);
    pos += step + GetChildMargin();
    remaining -= step + GetChildMargin();
    needed_main += step;
    needed_cross = std::max<long long>(
        needed_cross, static_cast<long long>(cross) + axis.CrossStart(m) + axis.CrossEnd(m));
  }
  if (count > 1) needed_main += static_cast<long long>(GetChildMargin()) * (count - 1);
  const SIZE needed = axis.MakeSize(ClampLength(needed_main), ClampLength(needed_cross));
  return AddPadding(needed.cx, needed.cy);
}

SIZE LinearLayout::EstimateSizeByChild(const ControlList& items, SIZE available) {
  const Axis axis{horizontal_};
  long long main_total = 0;
  long long cross_max = 0;
  int count = 0;
  for (const auto& child : items) {
    if (!InFlow(child.get())) continue;
    const RECT& m = child->GetMargin();
    const SIZE size = child->EstimateSize(available);
    const int main = axis.Main(size) == kLengthStretch ? 0 : axis.ClampMain(child.get(), std::max(axis.Main(size), 0));
    const int cross = axis.Cross(size) == kLengthStretch ? 0 : axis.ClampCross(child.get(), std::max(axis.Cross(size), 0));
    main_total += static_cast<long long>(main) + axis.MainStart(m) + axis.MainEnd(m);
    cross_max = std::max<long long>(cross_max, static_cast<long long>(cross) + axis.CrossStart(m) +
                                                   axis.CrossEnd(m));
    ++count;
  }
  if (count > 1) main_total += static_cast<long long>(GetChildMargin()) * (count - 1);
  const SIZE needed = axis.MakeSize(ClampLength(main_total), ClampLength(cross_max));
  return AddPadding(needed.cx, needed.cy);
}

}  // namespace ui
