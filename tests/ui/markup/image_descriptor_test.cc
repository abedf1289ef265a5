#include "ui/markup/image_descriptor.h"

#include <gtest/gtest.h>

#include <string>

namespace ui {
namespace {

std::wstring RectText(const RECT& r) {
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
         std::to_wstring(r.bottom);
}

TEST(ImageDescriptorTest, KeysDefaultsAndStops) {
  const DpiScale at150(150, true);
  struct Case {
    const wchar_t* text;
    const wchar_t* file;
    const wchar_t* source;
    const wchar_t* dest;
  };
  const Case cases[] = {
      {L"../button/btn.png", L"../button/btn.png", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
      {L"file='../button/btn_wnd_dark_min.png' source='0,0,46,32'", L"../button/btn_wnd_dark_min.png", L"0,0,46,32",
       L"-1,-1,-1,-1"},
      {L"file=\"a.png\" source='0,0,46,32'", L"file=\"a.png\" source='0,0,46,32'", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
      {L"  res='a.png'   dest='0,4,12,16'", L"a.png", L"-1,-1,-1,-1", L"0,6,18,24"},
      {L"destscale='false' dest='0,4,12,16' file='a.png'", L"a.png", L"-1,-1,-1,-1", L"0,4,12,16"},
      {L"file='a.png'source='1,1,2,2'", L"a.png", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
      {L"file='a.png' source='1,1,2,2", L"a.png", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
      {L"file='a.png' source", L"a.png", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
      {L"file=", L"file=", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
      {L"", L"", L"-1,-1,-1,-1", L"-1,-1,-1,-1"},
  };
  for (const Case& c : cases) {
    const ImageAttribute a = ParseImageDescriptor(c.text, at150);
    EXPECT_EQ(a.descriptor, c.text);
    EXPECT_EQ(a.file, c.file) << c.text;
    EXPECT_EQ(RectText(a.source), c.source) << c.text;
    EXPECT_EQ(RectText(a.dest), c.dest) << c.text;
  }

  const ImageAttribute all = ParseImageDescriptor(
      L"file='a.png' corner='1,2,3,4' fade='300' xtiled='true' ytiled='yes' playcount='3' mystery='x'", at150);
  EXPECT_EQ(RectText(all.corner), L"1,2,3,4");  // scaled by the painter, not here
  EXPECT_EQ(all.fade, 255);
  EXPECT_TRUE(all.xtiled);
  EXPECT_FALSE(all.ytiled);
  EXPECT_EQ(all.play_count, 3);
  EXPECT_EQ(ParseImageDescriptor(L"fade='-5'", at150).fade, 0);

  const ImageAttribute fresh = ParseImageDescriptor(L"a.png", at150);
  EXPECT_EQ(fresh.fade, 255);
  EXPECT_EQ(fresh.play_count, -1);
  EXPECT_TRUE(fresh.dest_scale);
  EXPECT_EQ(RectText(fresh.corner), L"0,0,0,0");
}

TEST(ImageDescriptorTest, ModifierAppliesToACopy) {
  const DpiScale at200(200, true);
  const ImageAttribute stored = ParseImageDescriptor(L"file='bar.png' source='0,0,10,10' dest='1,1,2,2'", at200);
  const RECT dest{5, 6, 7, 8};
  const RECT source{1, 2, 3, 4};
  EXPECT_EQ(FormatDestModifier(dest), L"destscale='false' dest='5,6,7,8'");
  EXPECT_EQ(FormatDestModifier(dest, &source), L"destscale='false' dest='5,6,7,8' source='1,2,3,4'");

  const ImageAttribute painted = WithModifier(stored, FormatDestModifier(dest, &source), at200);
  EXPECT_EQ(painted.file, L"bar.png");
  EXPECT_EQ(RectText(painted.dest), L"5,6,7,8");
  EXPECT_EQ(RectText(painted.source), L"1,2,3,4");
  EXPECT_EQ(RectText(stored.dest), L"2,2,4,4");
  EXPECT_EQ(RectText(stored.source), L"0,0,10,10");
  EXPECT_TRUE(stored.dest_scale);
}

}  // namespace
}  // namespace ui
