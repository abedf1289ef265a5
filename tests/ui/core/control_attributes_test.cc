#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/core/control.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

using ui_test::Make;
using ui_test::ScopedDpi;

// Size rules as skins write them, at 100 % and at 144 DPI (150 %).
TEST(ControlAttributesTest, SizeRules) {
  struct Case {
    const wchar_t* value;
    int at_100;
    int at_150;
  };
  const Case cases[] = {
      {L"320", 320, 480},
      {L"stretch", kLengthStretch, kLengthStretch},
      {L"-1", kLengthStretch, kLengthStretch},
      {L"-2", kLengthAuto, kLengthAuto},
      {L"-3", kLengthAuto, kLengthAuto},  // below auto: ignored, the earlier rule stays
      {L"-2147483648", kLengthAuto, kLengthAuto},
      {L"2147483648", kLengthLimit, kLengthLimit},
      {L"12abc", 12, 18},
      {L"abc", 0, 0},
  };
  for (int percent : {100, 150}) {
    ScopedDpi dpi(percent);
    for (const Case& c : cases) {
      Control control;
      for (const wchar_t* name : {L"width", L"height"}) {
        control.SetAttribute(name, L"auto");
        control.SetAttribute(name, c.value);
      }
      const int expected = percent == 100 ? c.at_100 : c.at_150;
      EXPECT_EQ(control.GetFixedWidth(), expected) << c.value << " at " << percent;
      EXPECT_EQ(control.GetFixedHeight(), expected) << c.value << " at " << percent;
    }
  }
}

// Insets scale one by one; an unaware process keeps skin lengths as written.
TEST(ControlAttributesTest, LengthsFollowTheScale) {
  {
    ScopedDpi dpi(150);
    std::unique_ptr<Box> box(Make<Box>({{L"margin", L"8,10,0,-4"}, {L"padding", L"1,2,3,4"},
                                        {L"childmargin", L"6"}, {L"maxwidth", L"100"}}));
    EXPECT_EQ(box->GetMargin(), (RECT{12, 15, 0, 0}));
    EXPECT_EQ(box->GetLayout()->GetPadding(), (RECT{2, 3, 5, 6}));
    EXPECT_EQ(box->GetLayout()->GetChildMargin(), 9);
    EXPECT_EQ(box->GetMaxWidth(), 150);
  }
  ScopedDpi unaware(150, false);
  std::unique_ptr<Control> control(Make({{L"width", L"320"}, {L"margin", L"8,10,0,0"}}));
  EXPECT_EQ(control->GetFixedWidth(), 320);
  EXPECT_EQ(control->GetMargin(), (RECT{8, 10, 0, 0}));
}

// "class" applies its list where it stands: later attributes win over it, earlier ones are
// overridden by it; several classes apply in order; the window's table is asked only for
// names the global table lacks. Unknown attributes change nothing.
TEST(ControlAttributesTest, ClassesApplyInDocumentOrder) {
  ClassTable& global = GlobalManager::Get().definitions().classes;
  global.Set(L"wide", L"width=\"10\" height=\"1\"");
  global.Set(L"tall", L"height=\"20\"");
  global.Set(L"shared", L"width=\"30\"");
  Window window;
  window.GetClassTable().Set(L"shared", L"width=\"99\"");
  window.GetClassTable().Set(L"own", L"height=\"40\"");

  struct Case {
    ui_test::Attributes attributes;
    int width;
    int height;
  };
  const Case cases[] = {
      {{{L"width", L"5"}, {L"class", L"wide"}}, 10, 1},
      {{{L"class", L"wide"}, {L"width", L"5"}}, 5, 1},
      {{{L"class", L"wide tall"}}, 10, 20},
      {{{L"class", L"tall wide"}}, 10, 1},
      {{{L"class", L"shared own missing"}}, 30, 40},
      {{{L"class", L"wide"}, {L"nosuchattribute", L"1"}, {L"width", L""}}, 0, 1},
  };
  for (const Case& c : cases) {
    Control control;
    control.SetWindow(&window, nullptr);
    for (const auto& [name, value] : c.attributes) control.SetAttribute(name, value);
    EXPECT_EQ(control.GetFixedWidth(), c.width);
    EXPECT_EQ(control.GetFixedHeight(), c.height);
  }
}

// A class that names itself ends instead of recursing without end.
TEST(ControlAttributesTest, SelfNamingClassEnds) {
  GlobalManager::Get().definitions().classes.Set(L"loop", L"class=\"loop\" width=\"3\"");
  std::unique_ptr<Control> control(Make({{L"class", L"loop"}}));
  EXPECT_EQ(control->GetFixedWidth(), 3);
}

}  // namespace
}  // namespace ui
