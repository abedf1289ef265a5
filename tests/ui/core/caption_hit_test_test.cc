#include "ui/core/caption_hit_test.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/core/control_kinds.h"

namespace ui {
namespace {

// The install window: 660x512, caption "0,0,0,333", no size box; a button sits at
// (568,0)-(614,32), an edit box at (145,362)-(465,392) and a check box below the band. The
// same window with a 4-pixel size box shows the border rules.
TEST(CaptionHitTest, BandAndBorders) {
  const RECT client = {0, 0, 660, 512};
  const RECT caption = {0, 0, 0, 333};
  const auto kind_at = [](POINT pt) -> std::wstring {
    if (pt.x >= 568 && pt.x < 614 && pt.y < 32) return kButtonKind;
    if (pt.x >= 145 && pt.x < 465 && pt.y >= 300 && pt.y < 330) return kRichEditKind;
    if (pt.x >= 10 && pt.x < 20 && pt.y >= 10 && pt.y < 20) return kButtonBoxKind;
    if (pt.x >= 30 && pt.x < 40 && pt.y >= 10 && pt.y < 20) return kLabelKind;
    if (pt.x >= 600 && pt.y >= 400) return std::wstring();  // no control there
    return kVBoxKind;
  };
  struct Case {
    POINT pt;
    RECT size_box;
    bool maximized;
    UINT expected;
  };
  const RECT none = {0, 0, 0, 0};
  const RECT box = {4, 4, 4, 4};
  const Case cases[] = {
      {{300, 100}, none, false, HTCAPTION},
      {{0, 0}, none, false, HTCAPTION},
      {{659, 332}, none, false, HTCAPTION},
      {{300, 333}, none, false, HTCLIENT},   // first row below the band
      {{580, 10}, none, false, HTCLIENT},    // a button
      {{200, 310}, none, false, HTCLIENT},   // a rich edit
      {{15, 15}, none, false, HTCLIENT},     // a box-based button
      {{35, 15}, none, false, HTCAPTION},    // a label drags
      {{300, 500}, none, false, HTCLIENT},
      {{300, -1}, box, false, HTCLIENT},     // above the client
      {{1, 1}, box, false, HTTOPLEFT},
      {{658, 2}, box, false, HTTOPRIGHT},
      {{300, 3}, box, false, HTTOP},
      {{2, 510}, box, false, HTBOTTOMLEFT},
      {{658, 510}, box, false, HTBOTTOMRIGHT},
      {{300, 508}, box, false, HTBOTTOM},
      {{3, 300}, box, false, HTLEFT},
      {{656, 300}, box, false, HTRIGHT},
      {{1, 1}, box, true, HTCAPTION},        // maximised: no borders
      {{655, 300}, box, false, HTCAPTION},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CaptionHitTest(client, c.pt, c.maximized, c.size_box, caption, kind_at), c.expected)
        << c.pt.x << "," << c.pt.y;
  }
  // Outside the band the controls are not even asked.
  bool asked = false;
  CaptionHitTest(client, POINT{300, 400}, false, none, caption, [&asked](POINT) {
    asked = true;
    return std::wstring(kVBoxKind);
  });
  EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace ui
