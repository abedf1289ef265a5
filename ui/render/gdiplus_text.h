// Measuring and drawing text with GDI+ on a Graphics, in a font given as an HFONT.
//
//  - The font is made from the HFONT's LOGFONTW (so face names outside the ANSI code page
//     survive); a null HFONT means the current font of |dc|. A font GDI+ cannot use anyway
//     measures and draws nothing.
//  - Text is anti-aliased in grey levels, not ClearType: the buffer's alpha has to stay
//     meaningful, and measuring uses the same setting so measured and drawn text agree.
//  - DrawTextWith: empty text draws nothing; the brush is TextBrushColour(argb, alpha)
//     (colour_alpha.h) and the format DrawFormatFor(style, line_limit) (text_format.h).
//  - MeasureTextWith: empty text measures (0, 0, 0, 0). A negative width limit measures in
//     an unbounded rectangle; otherwise the limit is the layout width and, for DT_SINGLELINE,
//     the height of the string "A" the layout height, so a single line never grows taller
//     than one line of capitals. The result follows MeasuredRect (text_format.h).
//  - Both wait for a toolkit warm-up that is still making GDI+'s first font
//     (text_warm_up.h, TW2) before they make their own.
//  - Both draw and measure in the face font_fallback.h picks for the text, so a face the
//     system lacks, or one without the text's glyphs, never shows boxes.
#pragma once

#include <windows.h>

#include <string_view>

#include "support/scoped_gdiplus.h"

namespace ui {

void DrawTextWith(Gdiplus::Graphics& graphics, HDC dc, const RECT& rect, std::wstring_view text,
                  DWORD argb, HFONT font, UINT style, BYTE alpha, bool line_limit);

RECT MeasureTextWith(Gdiplus::Graphics& graphics, HDC dc, std::wstring_view text, HFONT font,
                     UINT style, int width_limit);

}  // namespace ui
