#include "ui/render/gdiplus_text.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "ui/render/colour_alpha.h"
#include "ui/render/font_fallback.h"
#include "ui/render/text_format.h"
#include "ui/render/text_warm_up.h"

namespace ui {

namespace {

// The C++ wrapper's Font(HDC, HFONT) goes through LOGFONTA, which turns a CJK face name
// into question marks; reading the LOGFONTW ourselves keeps it.
std::unique_ptr<Gdiplus::Font> MakeFont(HDC dc, HFONT font, std::wstring_view text) {
  WaitForTextWarmUp();
  if (font == nullptr) font = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));
  std::unique_ptr<Gdiplus::Font> made;
  LOGFONTW logfont{};
  if (font != nullptr && ::GetObjectW(font, sizeof(logfont), &logfont) == sizeof(logfont)) {
    const LOGFONTW readable = FontForText(logfont, text);
    made = std::make_unique<Gdiplus::Font>(dc, &readable);
  } else {
    made = std::make_unique<Gdiplus::Font>(dc);
  }
  if (made->GetLastStatus() != Gdiplus::Ok || !made->IsAvailable()) return nullptr;
  return made;
}

INT Length(std::wstring_view text) {
  return static_cast<INT>(std::min<size_t>(text.size(), INT_MAX));
}

Gdiplus::RectF ToRectF(const RECT& r) {
  return Gdiplus::RectF(Gdiplus::REAL(r.left), Gdiplus::REAL(r.top),
                        Gdiplus::REAL(r.right) - Gdiplus::REAL(r.left),
                        Gdiplus::REAL(r.bottom) - Gdiplus::REAL(r.top));
}

}  // namespace

void DrawTextWith(Gdiplus::Graphics& graphics, HDC dc, const RECT& rect, std::wstring_view text,
                  DWORD argb, HFONT font, UINT style, BYTE alpha, bool line_limit) {
  if (text.empty()) return;
  const std::unique_ptr<Gdiplus::Font> gdiplus_font = MakeFont(dc, font, text);
  if (!gdiplus_font) return;
  const TextFormatChoice choice = DrawFormatFor(style, line_limit);
  Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
  format.SetFormatFlags(choice.flags);
  format.SetTrimming(choice.trimming);
  format.SetAlignment(choice.alignment);
  format.SetLineAlignment(choice.line_alignment);
  const Gdiplus::SolidBrush brush(Gdiplus::Color(TextBrushColour(argb, alpha)));
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  graphics.DrawString(text.data(), Length(text), gdiplus_font.get(), ToRectF(rect), &format,
                      &brush);
}

RECT MeasureTextWith(Gdiplus::Graphics& graphics, HDC dc, std::wstring_view text, HFONT font,
                     UINT style, int width_limit) {
  if (text.empty()) return RECT{};
  const std::unique_ptr<Gdiplus::Font> gdiplus_font = MakeFont(dc, font, text);
  if (!gdiplus_font) return RECT{};
  Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
  format.SetFormatFlags(MeasureFlagsFor(style, format.GetFormatFlags()));
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);

  // GDI+ treats a layout size of 0 as unbounded.
  Gdiplus::RectF layout(0, 0, 0, 0);
  if (width_limit >= 0) {
    layout.Width = Gdiplus::REAL(width_limit);
    if (style & DT_SINGLELINE) {
      Gdiplus::RectF capital;
      graphics.MeasureString(L"A", 1, gdiplus_font.get(), Gdiplus::RectF(0, 0, 0, 0), &format,
                             &capital);
      layout.Height = capital.Height;
    }
  }
  Gdiplus::RectF bounds;
  graphics.MeasureString(text.data(), Length(text), gdiplus_font.get(), layout, &format, &bounds);
  return MeasuredRect(bounds);
}

}  // namespace ui
