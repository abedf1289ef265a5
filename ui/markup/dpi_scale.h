// The DPI scale as a value: a percentage and whether the process is DPI-aware. Making the
// process aware and reading a monitor's DPI belong to the window host; this only holds the
// result and scales lengths read from the skin.
#pragma once

#include <windows.h>

namespace ui {

class DpiScale {
 public:
  DpiScale() = default;
  DpiScale(int percent, bool aware) : percent_(percent), aware_(aware) {}

  // The percentage of a DPI: MulDiv(dpi, 100, 96).
  static int PercentOfDpi(int dpi) { return ::MulDiv(dpi, 100, 96); }

  int percent() const { return percent_; }
  bool aware() const { return aware_; }
  // Lengths change only when the process is aware and the scale is not 100 %.
  bool active() const { return aware_ && percent_ != 100; }

  // |length| * percent / 100 rounded half away from zero, as MulDiv rounds; computed in 64
  // bits and clamped to the int range where MulDiv would answer -1.
  int Scale(int length) const {
    if (!active()) return length;
    const long long product = static_cast<long long>(length) * percent_;
    return Clamp((product >= 0 ? product + 50 : product - 50) / 100);
  }
  SIZE ScaleSize(SIZE size) const { return SIZE{Scale(size.cx), Scale(size.cy)}; }
  // The scaled position plus the scaled width and height, so a rectangle keeps its size
  // wherever it stands.
  // Extreme values are computed in 64 bits and clamped, never overflowed.
  RECT ScaleRect(RECT rect) const {
    const int left = Scale(rect.left);
    const int top = Scale(rect.top);
    const int width = Scale(Clamp(static_cast<long long>(rect.right) - rect.left));
    const int height = Scale(Clamp(static_cast<long long>(rect.bottom) - rect.top));
    return RECT{left, top, Clamp(static_cast<long long>(left) + width), Clamp(static_cast<long long>(top) + height)};
  }

 private:
  static int Clamp(long long v) {
    return v > 0x7FFFFFFFLL ? 0x7FFFFFFF : (v < -0x80000000LL ? static_cast<int>(-0x7FFFFFFF - 1) : static_cast<int>(v));
  }

  int percent_ = 100;
  bool aware_ = false;
};

}  // namespace ui
