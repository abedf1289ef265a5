#include "ui/markup/global_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace ui {
namespace {

const wchar_t kGlobal[] =
    L"<Global defaultfontcolor=\"dark\" linkfontcolor=\"blue\" selectedcolor=\"nothing\">"
    L"<Font id=\"system_12\" name=\"system\" size=\"12\" default=\"true\"/>"
    L"<Font id=\"system_bold_14\" name=\"system\" size=\"14\" bold=\"true\"/>"
    L"<Font id=\"arial_underline\" name=\"arial\" underline=\"true\" italic=\"true\"/>"
    L"<Font name=\"arial\" size=\"16\"/>"
    L"<Font id=\"faceless\" size=\"16\"/>"
    L"<TextColor name=\"dark\" value=\"#ff333333\"/>"
    L"<TextColor name=\"blue\" value=\"#ff006DD9\"/>"
    L"<TextColor name=\"blue\" value=\"#ff0000ff\"/>"
    L"<TextColor name=\"broken\" value=\"\"/>"
    L"<TextColor value=\"#ffffffff\"/>"
    L"<Class name=\"btn\" height=\"20\"/>"
    L"<Image name=\"ignored\"/>"
    L"</Global>";

TEST(GlobalBuilderTest, FontsAtOneHundredFiftyPercent) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(kGlobal));
  GlobalDefinitions defs;
  ASSERT_TRUE(BuildGlobal(doc.root(), DpiScale(150, true), &defs));

  LOGFONTW gui{};
  ASSERT_NE(::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui), 0);
  const FontRecord* bold = defs.fonts.Find(L"system_bold_14");
  ASSERT_NE(bold, nullptr);
  EXPECT_TRUE(bold->handle);
  EXPECT_EQ(bold->logfont.lfHeight, -21);
  EXPECT_EQ(bold->logfont.lfWeight, gui.lfWeight + 700);
  EXPECT_EQ(bold->logfont.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(bold->logfont.lfFaceName, L"\u5FAE\u8F6F\u96C5\u9ED1");
  EXPECT_EQ(bold->declared.face, L"system");

  const FontRecord* styled = defs.fonts.Find(L"arial_underline");
  ASSERT_NE(styled, nullptr);
  EXPECT_EQ(styled->logfont.lfHeight, -18);  // the default size 12
  EXPECT_EQ(styled->logfont.lfWeight, gui.lfWeight);
  EXPECT_TRUE(styled->logfont.lfUnderline);
  EXPECT_TRUE(styled->logfont.lfItalic);
  EXPECT_STREQ(styled->logfont.lfFaceName, L"arial");

  // An unnamed font is stored under the count of fonts before it; a faceless one is not.
  ASSERT_NE(defs.fonts.Find(L"3"), nullptr);
  EXPECT_EQ(defs.fonts.Find(L"3")->declared.size, 16);
  EXPECT_EQ(defs.fonts.Find(L"faceless"), defs.fonts.Find(L"system_12"));
  EXPECT_EQ(defs.fonts.Find(L""), defs.fonts.Find(L"system_12"));
  EXPECT_EQ(defs.fonts.default_id(), L"system_12");
  EXPECT_EQ(defs.fonts.added(), 4u);
}

TEST(GlobalBuilderTest, SystemFaceIsTheUiFace) {
  EXPECT_EQ(ResolveFaceName(L"system"), L"\u5FAE\u8F6F\u96C5\u9ED1");
  EXPECT_EQ(ResolveFaceName(L"System"), L"System");
}

TEST(GlobalBuilderTest, ColoursClassesAndRootAttributes) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(kGlobal));
  GlobalDefinitions defs;
  ASSERT_TRUE(BuildGlobal(doc.root(), DpiScale(), &defs));
  EXPECT_EQ(defs.colors.Get(L"dark"), 0xFF333333u);
  EXPECT_EQ(defs.colors.Get(L"  blue"), 0xFF0000FFu);  // the later definition
  EXPECT_FALSE(defs.colors.Contains(L"broken"));
  EXPECT_EQ(defs.colors.Get(L"unknown"), 0u);
  EXPECT_EQ(defs.colors.size(), 2u);
  ASSERT_NE(defs.classes.Find(L"btn"), nullptr);
  EXPECT_EQ(defs.fonts.Find(L"system_12")->logfont.lfHeight, -12);

  EXPECT_EQ(defs.default_text_color, L"dark");
  EXPECT_EQ(defs.default_disabled_text_color, L"textdefaultdisablecolor");
  // Named by the root, defined by its children.
  EXPECT_EQ(defs.link_color, 0xFF0000FFu);
  EXPECT_EQ(defs.link_hover_color, 0u);
  EXPECT_EQ(defs.selected_color, 0u);

  XmlDocument window;
  ASSERT_TRUE(window.Parse(L"<Window/>"));
  EXPECT_FALSE(BuildGlobal(window.root(), DpiScale(), &defs));
}

}  // namespace
}  // namespace ui
