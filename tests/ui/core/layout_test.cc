#include "ui/core/layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"

namespace ui {
namespace {

using ui_test::Attributes;
using ui_test::Make;

// One child in a stacked box at (0,0)-(660,320): where the child lands.
TEST(LayoutTest, StackedPlacement) {
  struct Case {
    const char* what;
    Attributes child;
    RECT expected;
  };
  const Case cases[] = {
      // The install window's minimise button: no size, an image part of 46x32, pushed right.
      {"image source and margin",
       {{L"margin", L"568,0,0,0"}, {L"width", L"auto"}, {L"height", L"auto"},
        {L"normalimage", L"file='btn.png' source='0,0,46,32'"}},
       {568, 0, 614, 32}},
      {"stretch fills the area less the margin",
       {{L"margin", L"10,20,30,40"}},
       {10, 20, 630, 280}},
      {"odd centring truncates",
       {{L"width", L"5"}, {L"height", L"5"}, {L"halign", L"center"}, {L"valign", L"center"},
        {L"margin", L"0,0,650,310"}},
       {2, 2, 7, 7}},
      {"right and bottom end at the area's end",
       {{L"width", L"10"}, {L"height", L"10"}, {L"halign", L"right"}, {L"valign", L"bottom"},
        {L"margin", L"0,0,5,6"}},
       {645, 304, 655, 314}},
      {"minimum and maximum clamp a stretched child",
       {{L"maxwidth", L"100"}, {L"minheight", L"400"}},
       {0, 0, 100, 400}},
      {"a fixed size larger than the box stays",
       {{L"width", L"1000"}, {L"height", L"10"}},
       {0, 0, 1000, 10}},
  };
  for (const Case& c : cases) {
    Box box;
    Control* child = box.Add(Make(c.child));
    ASSERT_TRUE(child);
    box.SetPos(RECT{0, 0, 660, 320});
    EXPECT_EQ(child->GetPos(), c.expected) << c.what;
  }
}

// An auto-sized stacked box needs its largest child with margins, plus its padding.
TEST(LayoutTest, AutoSizedBoxNeedsLargestChildAndPadding) {
  Box box;
  box.SetAttribute(L"width", L"auto");
  box.SetAttribute(L"height", L"auto");
  box.SetAttribute(L"padding", L"1,2,3,4");
  box.Add(Make({{L"width", L"40"}, {L"height", L"10"}, {L"margin", L"5,0,5,0"}}));
  box.Add(Make({{L"width", L"20"}, {L"height", L"30"}}));
  box.Add(Make({{L"width", L"500"}, {L"height", L"500"}, {L"visible", L"false"}}));
  EXPECT_EQ(box.EstimateSize(SIZE{1000, 1000}), (SIZE{1 + 50 + 3, 2 + 30 + 4}));
}

// Hiding a child (or the box) and showing it again changes the box's auto size.
TEST(LayoutTest, EstimateFollowsVisibility) {
  Box box;
  box.SetAttribute(L"width", L"auto");
  box.SetAttribute(L"height", L"auto");
  box.Add(Make({{L"width", L"10"}, {L"height", L"10"}}));
  Control* big = box.Add(Make({{L"width", L"80"}, {L"height", L"8"}}));
  EXPECT_EQ(box.EstimateSize(SIZE{100, 100}), (SIZE{80, 10}));
  big->SetVisible(false);
  EXPECT_EQ(box.EstimateSize(SIZE{100, 100}), (SIZE{10, 10}));
  big->SetVisible(true);
  EXPECT_EQ(box.EstimateSize(SIZE{100, 100}), (SIZE{80, 10}));
}

}  // namespace
}  // namespace ui
