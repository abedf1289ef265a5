#include "ui/core/linear_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"

namespace ui {
namespace {

using ui_test::Attributes;
using ui_test::Make;

struct Case {
  const char* what;
  bool row;
  RECT pos;
  Attributes box;
  std::vector<Attributes> children;
  std::vector<RECT> expected;
};

void RunCase(const Case& c) {
  std::unique_ptr<Box> box = c.row ? std::unique_ptr<Box>(Make<HBox>(c.box)) : Make<VBox>(c.box);
  std::vector<Control*> children;
  for (const Attributes& attributes : c.children) {
    children.push_back(box->Add(Make(attributes)));
    ASSERT_TRUE(children.back());
  }
  box->SetPos(c.pos);
  for (size_t i = 0; i < children.size(); ++i) {
    EXPECT_EQ(children[i]->GetPos(), c.expected[i]) << c.what << ", child " << i;
  }
}

TEST(LinearLayoutTest, Column) {
  const Case cases[] = {
      {"stretch shares with the remainder to the first",
       false, {0, 0, 50, 101}, {{L"childmargin", L"5"}},
       {{{L"height", L"20"}}, {}, {}},
       {{0, 0, 50, 20}, {0, 25, 50, 61}, {0, 66, 50, 101}}},
      {"a share below one pixel is 0, its remainder still goes first",
       false, {0, 0, 10, 31}, {},
       {{{L"height", L"30"}}, {}, {}},
       {{0, 0, 10, 30}, {0, 30, 10, 31}, {0, 31, 10, 31}}},
      {"centring (with margins) truncates; right ends at the margin",
       false, {0, 0, 10, 40}, {},
       {{{L"width", L"5"}, {L"height", L"10"}, {L"halign", L"center"}},
        {{L"width", L"5"}, {L"height", L"10"}, {L"halign", L"center"}, {L"margin", L"1,0,0,0"}},
        {{L"width", L"4"}, {L"height", L"10"}, {L"halign", L"right"}, {L"margin", L"0,0,2,0"}}},
       {{2, 0, 7, 10}, {3, 10, 8, 20}, {4, 20, 8, 30}}},
      {"padding, margins and clamps",
       false, {100, 100, 200, 200}, {{L"padding", L"10,10,10,10"}, {L"childmargin", L"2"}},
       {{{L"margin", L"3,4,5,6"}, {L"height", L"10"}},
        {{L"maxheight", L"20"}, {L"minwidth", L"200"}},
        {{L"height", L"5"}, {L"width", L"-2"}}},
       {{113, 114, 185, 124}, {110, 132, 310, 152}, {110, 154, 110, 159}}},
      {"floating and hidden children stay out of the flow",
       false, {0, 0, 100, 100}, {{L"childmargin", L"10"}},
       {{{L"height", L"10"}},
        {{L"float", L"true"}, {L"width", L"20"}, {L"height", L"20"}, {L"halign", L"right"},
         {L"valign", L"bottom"}},
        {{L"height", L"50"}, {L"visible", L"false"}},
        {{L"height", L"10"}}},
       {{0, 0, 100, 10}, {80, 80, 100, 100}, {0, 0, 0, 0}, {0, 20, 100, 30}}},
      {"absurd heights clamp instead of overflowing",
       false, {0, 0, 10, 10}, {},
       {{{L"height", L"2147483647"}}, {{L"height", L"2147483647"}}, {{L"height", L"3"}}},
       {{0, 0, 10, kLengthLimit}, {0, kLengthLimit, 10, 2 * kLengthLimit},
        {0, 2 * kLengthLimit, 10, 2 * kLengthLimit + 3}}},
  };
  for (const Case& c : cases) RunCase(c);
}

TEST(LinearLayoutTest, Row) {
  const Case cases[] = {
      {"widths shared, heights fill less the margins, valign places",
       true, {0, 0, 100, 10}, {{L"childmargin", L"5"}},
       {{{L"width", L"30"}, {L"margin", L"0,1,0,2"}},
        {},
        {{L"width", L"10"}, {L"height", L"5"}, {L"valign", L"center"}},
        {{L"width", L"10"}, {L"height", L"4"}, {L"valign", L"bottom"}, {L"margin", L"0,0,0,1"}}},
       {{0, 1, 30, 8}, {35, 0, 70, 10}, {75, 2, 85, 7}, {90, 5, 100, 9}}},
  };
  for (const Case& c : cases) RunCase(c);
}

// An auto-sized row (the install window's agreement row): the children, their margins and
// the child margins, plus padding; the height is the tallest child with its margins.
TEST(LinearLayoutTest, AutoSizedRowNeedsItsChildren) {
  std::unique_ptr<HBox> row(Make<HBox>({{L"width", L"auto"}, {L"height", L"auto"},
                                        {L"childmargin", L"3"}, {L"padding", L"1,1,1,1"}}));
  row->Add(Make({{L"width", L"16"}, {L"height", L"16"}, {L"margin", L"0,0,4,0"}}));
  row->Add(Make({{L"width", L"50"}, {L"height", L"20"}}));
  row->Add(Make({{L"width", L"stretch"}, {L"height", L"2"}, {L"margin", L"0,3,0,3"}}));
  EXPECT_EQ(row->EstimateSize(SIZE{1000, 1000}), (SIZE{1 + 20 + 3 + 50 + 3 + 0 + 1, 1 + 20 + 1}));
}

}  // namespace
}  // namespace ui
