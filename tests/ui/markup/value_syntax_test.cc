#include "ui/markup/value_syntax.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace ui {
namespace {

TEST(ValueSyntaxTest, Integers) {
  struct Case {
    const wchar_t* text;
    int value;
    size_t consumed;
  };
  const Case cases[] = {
      {L"42", 42, 2},          {L"-7px", -7, 2},       {L"+3", 3, 2},
      {L"  12,", 12, 4},       {L"", 0, 0},            {L"-", 0, 0},
      {L"x1", 0, 0},           {L"2147483647", INT_MAX, 10},
      {L"2147483648", INT_MAX, 10},                    {L"-2147483648", INT_MIN, 11},
      {L"99999999999999999999,1", INT_MAX, 20},        {L"-99999999999999999999", INT_MIN, 21},
  };
  for (const Case& c : cases) {
    size_t consumed = 99;
    EXPECT_EQ(ParseInt(c.text, &consumed), c.value) << c.text;
    EXPECT_EQ(consumed, c.consumed) << c.text;
  }
  EXPECT_TRUE(ParseBool(L"true"));
  for (const wchar_t* no : {L"True", L"1", L"true ", L""}) EXPECT_FALSE(ParseBool(no)) << no;
}

TEST(ValueSyntaxTest, RectanglesAndSizes) {
  struct Case {
    std::wstring text;
    RECT rect;
  };
  const Case cases[] = {
      {L"0,4,12,16", {0, 4, 12, 16}},
      {L"-1,-2,3,4", {-1, -2, 3, 4}},
      {L"1,2", {1, 2, 0, 0}},
      {L"1 2 3 4", {1, 2, 3, 4}},  // any one character separates
      {L"1,,3,4", {1, 0, 3, 4}},
      {L"", {0, 0, 0, 0}},
      {L"99999999999,0,0,-99999999999", {INT_MAX, 0, 0, INT_MIN}},
  };
  for (const Case& c : cases) {
    const RECT r = ParseRect(c.text);
    EXPECT_EQ(r.left, c.rect.left) << c.text;
    EXPECT_EQ(r.top, c.rect.top) << c.text;
    EXPECT_EQ(r.right, c.rect.right) << c.text;
    EXPECT_EQ(r.bottom, c.rect.bottom) << c.text;
  }
  // The view ends where the caller says, even without a terminator behind it.
  const std::wstring backing = L"660,51299";
  const SIZE s = ParseSize(std::wstring_view(backing).substr(0, 6));
  EXPECT_EQ(s.cx, 660);
  EXPECT_EQ(s.cy, 51);
}

TEST(ValueSyntaxTest, Colours) {
  EXPECT_EQ(ParseColorValue(L"#ff006DD9"), 0xFF006DD9u);
  EXPECT_EQ(ParseColorValue(L"#FFC63535"), 0xFFC63535u);
  EXPECT_EQ(ParseColorValue(L"#12zz"), 0x12u);
  EXPECT_EQ(ParseColorValue(L"#"), 0u);
  EXPECT_EQ(ParseColorValue(L"#ffffffff00"), 0xFFFFFFFFu);
  EXPECT_FALSE(ParseColorValue(L"").has_value());
  EXPECT_EQ(ColorName(L" \tprogress_color"), L"progress_color");
}

}  // namespace
}  // namespace ui
