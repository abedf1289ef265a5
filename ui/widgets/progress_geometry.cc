#include "ui/widgets/progress_geometry.h"

#include <cmath>

namespace ui {

ProgressRange NormalizeProgress(ProgressRange range) {
  if (range.max <= range.min) {
    // In 64 bits: min may be the largest int.
    const long long max = static_cast<long long>(range.min) + 1;
    range.max = max > 0x7FFFFFFF ? range.min : static_cast<int>(max);
    if (range.max == range.min) --range.min;
  }
  if (!std::isfinite(range.value) || range.value < range.min) range.value = range.min;
  if (range.value > range.max) range.value = range.max;
  return range;
}

RECT ProgressForeground(const ProgressRange& range, int width, int height, bool horizontal) {
  const double span = static_cast<double>(range.max) - range.min;
  if (horizontal) {
    const double part = width * (range.value - range.min) / span;
    return RECT{0, 0, static_cast<int>(part), height};
  }
  const double top = height * (range.max - range.value) / span;
  return RECT{0, static_cast<int>(top), width, height};
}

}  // namespace ui
