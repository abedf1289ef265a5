// Where a progress bar's foreground goes. Pure arithmetic, no drawing.
//
//  - A maximum that is not above the minimum becomes minimum + 1; the value is clamped
//    into [minimum, maximum] (a value that is not a number counts as the minimum).
//  - Relative to the control: horizontal (0, 0, width x (value - min) / (max - min),
//    height), the width truncated; vertical (0, height x (max - value) / (max - min),
//    width, height), the top truncated.
#pragma once

#include <windows.h>

namespace ui {

struct ProgressRange {
  int min = 0;
  int max = 100;
  double value = 0;
};

// The range rule above.
ProgressRange NormalizeProgress(ProgressRange range);
// The foreground rectangle above, for a range NormalizeProgress gave.
RECT ProgressForeground(const ProgressRange& range, int width, int height, bool horizontal);

}  // namespace ui
