#include "ui/core/caption_hit_test.h"

#include "ui/core/control_kinds.h"

namespace ui {
namespace {

// The resize border under |pt|, or 0 when none.
UINT SizeBoxHit(const RECT& client, POINT pt, const RECT& box) {
  if (pt.y < client.top) return HTCLIENT;
  const bool left = pt.x < client.left + box.left;
  const bool right = pt.x >= client.right - box.right;
  if (pt.y < client.top + box.top) {
    if (left) return HTTOPLEFT;
    if (right) return HTTOPRIGHT;
    return HTTOP;
  }
  if (pt.y >= client.bottom - box.bottom) {
    if (left) return HTBOTTOMLEFT;
    if (right) return HTBOTTOMRIGHT;
    return HTBOTTOM;
  }
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  return 0;
}

}  // namespace

bool IsCaptionClientKind(const std::wstring& kind) {
  return kind == kButtonKind || kind == kButtonBoxKind || kind == kRichEditKind;
}

UINT CaptionHitTest(const RECT& client, POINT pt, bool maximized, const RECT& size_box,
                    const RECT& caption, const std::function<std::wstring(POINT)>& kind_at) {
  if (!maximized) {
    const UINT border = SizeBoxHit(client, pt, size_box);
    if (border != 0) return border;
  }
  const RECT band = {client.left + caption.left, client.top + caption.top,
                     client.right - caption.right, client.top + caption.bottom};
  if (pt.x < band.left || pt.x >= band.right || pt.y < band.top || pt.y >= band.bottom) {
    return HTCLIENT;
  }
  const std::wstring kind = kind_at ? kind_at(pt) : std::wstring();
  if (kind.empty() || IsCaptionClientKind(kind)) return HTCLIENT;
  return HTCAPTION;
}

}  // namespace ui
