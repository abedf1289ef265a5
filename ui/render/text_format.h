// How DrawText style bits (DT_*) become a GDI+ string format, and how a measured bounding box
// becomes whole pixels. Pure functions: no drawing, no GDI+ session needed.
//
//  - Drawing: the format is a copy of the generic typographic format whose flags are replaced
//     by exactly these: NoClip for DT_NOCLIP, NoWrap for DT_SINGLELINE, LineLimit when the
//     caller asks for a line limit. Trimming is the ellipsis character for DT_END_ELLIPSIS,
//     else none. Horizontal alignment: Center for DT_CENTER, else Far for DT_RIGHT, else
//     Near; vertical (line) alignment: Center for DT_VCENTER, else Far for DT_BOTTOM, else
//     Near.
//  - Measuring: the generic typographic format, plus NoWrap for DT_SINGLELINE; its own
//     trimming and alignment are kept.
//  - A measured box (x, y, w, h) is (trunc x, trunc y, trunc x + trunc w + 1,
//     trunc y + trunc h + 1): the extra pixel keeps an auto-sized label from clipping the last
//     partly covered column or row. Values are clamped to +-2^30 before truncating.
#pragma once

#include <windows.h>

#include "support/scoped_gdiplus.h"

namespace ui {

struct TextFormatChoice {
  INT flags = 0;  // Gdiplus::StringFormatFlags
  Gdiplus::StringTrimming trimming = Gdiplus::StringTrimmingNone;
  Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear;
  Gdiplus::StringAlignment line_alignment = Gdiplus::StringAlignmentNear;
};

// The drawing format above.
TextFormatChoice DrawFormatFor(UINT style, bool line_limit);

// The flags for measuring, given the generic typographic format's own flags.
INT MeasureFlagsFor(UINT style, INT typographic_flags);

// A measured box in whole pixels.
RECT MeasuredRect(const Gdiplus::RectF& bounds);

}  // namespace ui
