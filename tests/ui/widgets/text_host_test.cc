#include "ui/widgets/text_host.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(TextHostTest, PropertyBitsFollowTheEditStyle) {
  struct Case {
    DWORD style;
    bool rich;
    DWORD bits;
  };
  const Case cases[] = {
      {ES_MULTILINE, false, TXTBIT_MULTILINE | TXTBIT_WORDWRAP},
      // The installer's folder box: one line that scrolls instead of wrapping.
      {ES_AUTOHSCROLL | ES_READONLY, false, TXTBIT_READONLY},
      {ES_MULTILINE | ES_AUTOHSCROLL, false, TXTBIT_MULTILINE},
      {ES_PASSWORD, true, TXTBIT_USEPASSWORD | TXTBIT_RICHTEXT},
  };
  for (const Case& c : cases) EXPECT_EQ(PropertyBitsForStyle(c.style, c.rich), c.bits) << c.style;
}

TEST(TextHostTest, CharFormatTakesTheFontInTwipsAndTheColour) {
  LOGFONTW font{};
  font.lfHeight = -21;  // 14 pixels at 150 %
  font.lfWeight = FW_BOLD;
  font.lfUnderline = TRUE;
  font.lfCharSet = DEFAULT_CHARSET;
  wcscpy(font.lfFaceName, L"微软雅黑");
  const CHARFORMAT2W format = CharFormatFromFont(font, RGB(1, 2, 3), 144);
  EXPECT_EQ(format.yHeight, 210);  // 21 px at 144 dpi = 10.5 pt
  EXPECT_EQ(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE),
            static_cast<DWORD>(CFE_BOLD | CFE_UNDERLINE));
  EXPECT_EQ(format.crTextColor, RGB(1, 2, 3));
  EXPECT_STREQ(format.szFaceName, L"微软雅黑");
}

}  // namespace
}  // namespace ui
