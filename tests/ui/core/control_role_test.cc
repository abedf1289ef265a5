#include "ui/core/control_role.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/core/window_accessible.h"

namespace ui {
namespace {

// Space and Enter as Windows' own controls take them: Enter never toggles a check box.
TEST(ControlRole, KeysThatActivate) {
  struct Case {
    ControlRole role;
    bool space;
    bool enter;
  };
  const Case cases[] = {
      {ControlRole::kPushButton, true, true},   {ControlRole::kLink, true, true},
      {ControlRole::kCheckButton, true, false}, {ControlRole::kEditableText, false, false},
      {ControlRole::kStaticText, false, false}, {ControlRole::kProgressBar, false, false},
      {ControlRole::kNone, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.role));
    EXPECT_EQ(ActivatesOnKey(c.role, VK_SPACE), c.space);
    EXPECT_EQ(ActivatesOnKey(c.role, VK_RETURN), c.enter);
    EXPECT_FALSE(ActivatesOnKey(c.role, 'A'));
  }
}

TEST(ControlRole, MsaaRolesStatesAndActions) {
  EXPECT_EQ(MsaaRole(ParseControlRole(L"link", ControlRole::kNone)), ROLE_SYSTEM_LINK);
  EXPECT_EQ(MsaaRole(ParseControlRole(L"bogus", ControlRole::kPushButton)), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(MsaaRole(ControlRole::kEditableText), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(MsaaRole(ControlRole::kNone), 0);

  struct Case {
    ControlRole role;
    ControlFacts facts;  // visible, enabled, focusable, focused, checked, read only
    DWORD state;
  };
  const Case cases[] = {
      {ControlRole::kPushButton, {true, true, true, false, false, false}, STATE_SYSTEM_FOCUSABLE},
      {ControlRole::kPushButton, {true, false, false, false, false, false}, STATE_SYSTEM_UNAVAILABLE},
      {ControlRole::kPushButton, {false, true, false, false, false, false}, STATE_SYSTEM_INVISIBLE},
      {ControlRole::kCheckButton, {true, true, true, true, true, false},
       STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED},
      {ControlRole::kPushButton, {true, true, true, false, true, false}, STATE_SYSTEM_FOCUSABLE},
      {ControlRole::kEditableText, {true, true, true, false, false, true},
       STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_READONLY},
      {ControlRole::kLink, {true, true, true, false, false, false}, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED},
  };
  for (const Case& c : cases) EXPECT_EQ(MsaaState(c.role, c.facts), c.state) << static_cast<int>(c.role);

  EXPECT_EQ(DefaultActionName(ControlRole::kCheckButton, true), L"取消选中");
  EXPECT_EQ(DefaultActionName(ControlRole::kCheckButton, false), L"选中");
  EXPECT_EQ(DefaultActionName(ControlRole::kPushButton, false), L"按下");
  EXPECT_EQ(DefaultActionName(ControlRole::kStaticText, false), L"");
}

TEST(ControlRole, PercentText) {
  EXPECT_EQ(PercentText(47.5, 0, 100), L"48%");
  EXPECT_EQ(PercentText(150, 0, 100), L"100%");
  EXPECT_EQ(PercentText(-3, 0, 100), L"0%");
  EXPECT_EQ(PercentText(5, 0, 10), L"50%");
  EXPECT_EQ(PercentText(1, 5, 5), L"0%");  // an empty range reads as one unit wide
}

// Spatial navigation between an install window's folder row, its button and a row below.
TEST(ControlRole, NearestInDirection) {
  const std::vector<RECT> rects = {
      {100, 0, 300, 30},   // 0 the folder box
      {310, 0, 350, 30},   // 1 the folder button
      {150, 50, 250, 90},  // 2 the install button
      {140, 110, 160, 130},  // 3 the check box
      {170, 110, 260, 130},  // 4 the sentence
  };
  EXPECT_EQ(NearestInDirection(rects, 0, NAVDIR_RIGHT), 1);
  EXPECT_EQ(NearestInDirection(rects, 1, NAVDIR_LEFT), 0);
  EXPECT_EQ(NearestInDirection(rects, 0, NAVDIR_DOWN), 2);
  EXPECT_EQ(NearestInDirection(rects, 2, NAVDIR_DOWN), 4);
  EXPECT_EQ(NearestInDirection(rects, 3, NAVDIR_UP), 2);
  EXPECT_EQ(NearestInDirection(rects, 1, NAVDIR_RIGHT), -1);
  EXPECT_EQ(NearestInDirection(rects, 0, NAVDIR_NEXT), -1);
  EXPECT_EQ(NearestInDirection(rects, 9, NAVDIR_UP), -1);
}

}  // namespace
}  // namespace ui
