#include "ui/core/skin_prefetch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/control_builder.h"
#include "ui/markup/class_table.h"

namespace ui {
namespace {

std::wstring Listed(const std::wstring& xml, const ClassTable& classes = ClassTable()) {
  XmlDocument doc;
  if (!doc.Parse(xml)) return L"(unparsed)";
  std::wstring listed;
  for (const std::wstring& file : VisibleImages(doc.root(), classes)) listed += file + L";";
  return listed;
}

TEST(SkinPrefetchTest, ListsTheImagesShownAtOnce) {
  const struct {
    const wchar_t* xml;
    const wchar_t* listed;
  } cases[] = {
      // The root is the file's frame; its children and their subtrees count, in order.
      {L"<Window bkimage=\"frame.png\"><Box bkimage=\"a.png\"><Button bkimage=\"b.png\"/></Box>"
       L"<Label bkimage=\"c.png\"/></Window>",
       L"a.png;b.png;c.png;"},
      // A descriptor's file; an empty file and a repeat are skipped.
      {L"<Window><Box bkimage=\"file='bg.png' corner='1,1,1,1'\"/><Box bkimage=\"\"/><Box bkimage=\"bg.png\"/></Window>",
       L"bg.png;"},
      // A hidden element hides its subtree; the last "visible" counts.
      {L"<Window><Box visible=\"false\" bkimage=\"hidden.png\"><Box bkimage=\"inner.png\"/></Box>"
       L"<Box visible=\"false\" visible=\"true\" bkimage=\"shown.png\"/></Window>",
       L"shown.png;"},
      // Definitions, includes and events are no controls.
      {L"<Window><Image name=\"i\" bkimage=\"def.png\"/><Include source=\"x.xml\" bkimage=\"inc.png\"/>"
       L"<Event bkimage=\"ev.png\"/><Box bkimage=\"box.png\"/></Window>",
       L"box.png;"},
      // State images count like backgrounds; other attributes do not.
      {L"<Window><Button normalimage=\"n.png\" hotimage=\"file='h.png' source='0,0,9,9'\" text=\"t.png\"/>"
       L"<CheckBox selectednormalimage=\"s.png\"/></Window>",
       L"n.png;h.png;s.png;"},
      {L"<Window/>", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(Listed(c.xml), c.listed) << c.xml;
  EXPECT_TRUE(VisibleImages(XmlNode(), ClassTable()).empty());
}

// A class's images count where the class stands; an unknown class adds nothing.
TEST(SkinPrefetchTest, ClassesAddTheirImagesInPlace) {
  ClassTable classes;
  classes.Set(L"btn", L"normalimage=\"file='btn.png' source='0,0,10,10'\" hotimage=\"btn.png\" width=\"10\"");
  EXPECT_EQ(Listed(L"<Window><Box bkimage=\"a.png\"/><Button class=\"nothing btn\" bkimage=\"b.png\"/>"
                   L"<Button visible=\"false\" class=\"btn\"/></Window>",
                   classes),
            L"a.png;btn.png;b.png;");
}

TEST(SkinPrefetchTest, GoesNoDeeperThanTheBuilder) {
  std::wstring xml = L"<Window>";
  // Elements at depths 1 to kMaxBuildDepth build; one deeper refuses the build.
  for (int i = 1; i <= kMaxBuildDepth + 1; ++i) xml += L"<Box bkimage=\"d" + std::to_wstring(i) + L".png\">";
  for (int i = 1; i <= kMaxBuildDepth + 1; ++i) xml += L"</Box>";
  xml += L"</Window>";
  const std::wstring listed = Listed(xml);
  EXPECT_NE(listed.find(L"d" + std::to_wstring(kMaxBuildDepth) + L".png;"), std::wstring::npos);
  EXPECT_EQ(listed.find(L"d" + std::to_wstring(kMaxBuildDepth + 1) + L".png;"), std::wstring::npos);
}

}  // namespace
}  // namespace ui
