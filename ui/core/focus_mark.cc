#include "ui/core/focus_mark.h"

#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"

namespace ui {

RECT FocusMarkBounds(const RECT& pos, int width) {
  return RECT{pos.left - width, pos.top - width, pos.right + width, pos.bottom + width};
}

uint32_t FocusMarkColor() {
  const GlobalDefinitions& definitions = GlobalManager::Get().definitions();
  if (const uint32_t argb = definitions.colors.Get(definitions.accent_color)) return argb;
  const COLORREF rgb = ::GetSysColor(COLOR_HIGHLIGHT);
  return 0xFF000000u | (static_cast<uint32_t>(GetRValue(rgb)) << 16) |
         (static_cast<uint32_t>(GetGValue(rgb)) << 8) | GetBValue(rgb);
}

void PaintFocusMark(IRenderContext* render, const RECT& pos, int width) {
  const RECT outer = FocusMarkBounds(pos, width);
  const uint32_t argb = FocusMarkColor();
  const RECT edges[] = {
      {outer.left, outer.top, outer.right, pos.top},
      {outer.left, pos.bottom, outer.right, outer.bottom},
      {outer.left, pos.top, pos.left, pos.bottom},
      {pos.right, pos.top, outer.right, pos.bottom},
  };
  for (const RECT& edge : edges) render->FillRect(edge, argb, 255);
}

}  // namespace ui
