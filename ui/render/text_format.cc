#include "ui/render/text_format.h"

#include <algorithm>

namespace ui {

namespace {

bool Has(UINT style, UINT bit) { return (style & bit) != 0; }

LONG Truncate(Gdiplus::REAL value) {
  constexpr Gdiplus::REAL kLimit = 1 << 30;
  return static_cast<LONG>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

TextFormatChoice DrawFormatFor(UINT style, bool line_limit) {
  TextFormatChoice choice;
  if (Has(style, DT_NOCLIP)) choice.flags |= Gdiplus::StringFormatFlagsNoClip;
  if (Has(style, DT_SINGLELINE)) choice.flags |= Gdiplus::StringFormatFlagsNoWrap;
  if (line_limit) choice.flags |= Gdiplus::StringFormatFlagsLineLimit;
  if (Has(style, DT_END_ELLIPSIS)) choice.trimming = Gdiplus::StringTrimmingEllipsisCharacter;
  if (Has(style, DT_CENTER)) {
    choice.alignment = Gdiplus::StringAlignmentCenter;
  } else if (Has(style, DT_RIGHT)) {
    choice.alignment = Gdiplus::StringAlignmentFar;
  }
  if (Has(style, DT_VCENTER)) {
    choice.line_alignment = Gdiplus::StringAlignmentCenter;
  } else if (Has(style, DT_BOTTOM)) {
    choice.line_alignment = Gdiplus::StringAlignmentFar;
  }
  return choice;
}

INT MeasureFlagsFor(UINT style, INT typographic_flags) {
  if (!Has(style, DT_SINGLELINE)) return typographic_flags;
  return typographic_flags | Gdiplus::StringFormatFlagsNoWrap;
}

RECT MeasuredRect(const Gdiplus::RectF& bounds) {
  const LONG left = Truncate(bounds.X);
  const LONG top = Truncate(bounds.Y);
  return RECT{left, top, left + Truncate(bounds.Width) + 1, top + Truncate(bounds.Height) + 1};
}

}  // namespace ui
