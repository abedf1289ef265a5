// Non-client hit-testing of a captionless skinned window: resize borders, then the caption
// band, where the control under the point decides whether the press drags the window.
//
//  - Not maximised: above the client top is HTCLIENT; within the size box's top height it
//    is HTTOPLEFT inside the left width, HTTOPRIGHT inside the right width, else HTTOP;
//    the bottom band likewise (HTBOTTOMLEFT, HTBOTTOMRIGHT, HTBOTTOM), then the sides
//    (HTLEFT, HTRIGHT). A zero size box never matches.
//  - The caption band's left and right are insets from the client's sides, its top and
//    bottom offsets from the client top. Outside the band: HTCLIENT.
//  - Inside the band: no control, a button (plain or box-based) or a rich edit under the
//    point is HTCLIENT; any other control is HTCAPTION.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// Whether a press on a control of |kind| stays with the control inside the caption band.
bool IsCaptionClientKind(const std::wstring& kind);

// |client| is the client rectangle (less any shadow insets) and |pt| a client point.
// |kind_at| answers the kind name of the control under a point, empty when there is none; it
// is asked only inside the caption band.
UINT CaptionHitTest(const RECT& client, POINT pt, bool maximized, const RECT& size_box,
                    const RECT& caption, const std::function<std::wstring(POINT)>& kind_at);

}  // namespace ui
