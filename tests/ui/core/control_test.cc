#include "ui/core/control.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"

namespace ui {
namespace {

using ui_test::Make;
using ui_test::TestButton;

// Hiding a box hides its whole subtree through the inherited flag; the children's own flags
// are untouched, so showing the box again brings back exactly what was visible before.
TEST(ControlTest, VisibilityIsOwnAndInherited) {
  Box outer;
  Box* inner = outer.Add(std::make_unique<Box>());
  Control* shown = inner->Add(std::make_unique<Control>());
  Control* hidden = inner->Add(Make({{L"visible", L"false"}}));

  outer.SetVisible(false);
  for (Control* c : {static_cast<Control*>(inner), shown}) {
    EXPECT_FALSE(c->IsVisible());
    EXPECT_TRUE(c->IsOwnVisible());
  }
  EXPECT_FALSE(hidden->IsOwnVisible());

  // A child added to a hidden box is hidden through it.
  Control* late = inner->Add(std::make_unique<Control>());
  EXPECT_FALSE(late->IsVisible());
  EXPECT_TRUE(late->IsOwnVisible());

  outer.SetVisible(true);
  EXPECT_TRUE(inner->IsVisible());
  EXPECT_TRUE(shown->IsVisible());
  EXPECT_TRUE(late->IsVisible());
  EXPECT_FALSE(hidden->IsVisible());
}

// Enabling resets the state and the hot alpha; a box passes the flag down.
TEST(ControlTest, EnabledState) {
  Box box;
  Control* child = box.Add(std::make_unique<Control>());
  child->SetState(kControlStateHot);
  child->SetHotAlpha(200);

  box.SetEnabled(false);
  EXPECT_FALSE(child->IsEnabled());
  EXPECT_EQ(child->GetState(), kControlStateDisabled);
  EXPECT_FALSE(child->IsActivatable());

  box.SetEnabled(true);
  EXPECT_TRUE(child->IsEnabled());
  EXPECT_EQ(child->GetState(), kControlStateNormal);
  EXPECT_EQ(child->GetHotAlpha(), 0);
}

// Mouse events through the built-in handling, with their effect on state and clicks.
TEST(ControlTest, MouseStateMachine) {
  struct Step {
    EventType type;
    POINT at;
    ControlState state_after;
    int clicks_after;
  };
  struct Case {
    const char* what;
    bool enabled;
    std::vector<Step> steps;
  };
  const POINT in = {5, 5};
  const POINT out = {50, 50};
  const Case cases[] = {
      {"press and release inside clicks",
       true,
       {{kEventMouseEnter, in, kControlStateHot, 0},
        {kEventMouseButtonDown, in, kControlStatePushed, 0},
        {kEventMouseButtonUp, in, kControlStateHot, 1},
        {kEventMouseLeave, out, kControlStateNormal, 1}}},
      {"release outside does not click",
       true,
       {{kEventMouseButtonDown, in, kControlStatePushed, 0},
        {kEventMouseLeave, out, kControlStatePushed, 0},
        {kEventMouseButtonUp, out, kControlStateNormal, 0}}},
      {"a double click presses like a button down",
       true,
       {{kEventMouseDoubleClick, in, kControlStatePushed, 0},
        {kEventMouseButtonUp, in, kControlStateHot, 1}}},
      {"release without a press does nothing",
       true,
       {{kEventMouseButtonUp, in, kControlStateNormal, 0}}},
      {"disabled ignores the mouse",
       false,
       {{kEventMouseEnter, in, kControlStateDisabled, 0},
        {kEventMouseButtonDown, in, kControlStateDisabled, 0},
        {kEventMouseButtonUp, in, kControlStateDisabled, 0}}},
  };
  for (const Case& c : cases) {
    TestButton button;
    button.SetPos(RECT{0, 0, 10, 10});
    button.SetEnabled(c.enabled);
    int clicks = 0;
    button.AttachClick([&clicks](const EventArgs&) {
      ++clicks;
      return true;
    });
    for (const Step& step : c.steps) {
      EventArgs args = MakeEventArgs(step.type, &button, step.at);
      button.HandleMessageTemplate(args);
      EXPECT_EQ(button.GetState(), step.state_after) << c.what << ", event " << step.type;
      EXPECT_EQ(clicks, step.clicks_after) << c.what << ", event " << step.type;
    }
  }
}

// Handlers of the kind, then all-kind handlers, in attach order; false ends the delivery,
// the built-in handling included.
TEST(ControlTest, HandlerOrderAndEarlyEnd) {
  TestButton button;
  button.SetPos(RECT{0, 0, 10, 10});
  std::vector<std::wstring> ran;
  button.AttachAllEvents([&ran](const EventArgs& args) {
    if (args.type == kEventMouseButtonDown) ran.push_back(L"all");
    return true;
  });
  button.AttachEvent(kEventMouseButtonDown, [&ran](const EventArgs&) {
    ran.push_back(L"first");
    return true;
  });
  button.AttachEvent(kEventMouseButtonDown, [&ran](const EventArgs&) {
    ran.push_back(L"second");
    return true;
  });
  EventArgs down = MakeEventArgs(kEventMouseButtonDown, &button, POINT{1, 1});
  button.HandleMessageTemplate(down);
  EXPECT_EQ(ran, (std::vector<std::wstring>{L"first", L"second", L"all"}));
  EXPECT_EQ(button.GetState(), kControlStatePushed);

  TestButton stopped;
  stopped.SetPos(RECT{0, 0, 10, 10});
  bool later = false;
  stopped.AttachEvent(kEventMouseButtonDown, [](const EventArgs&) { return false; });
  stopped.AttachEvent(kEventMouseButtonDown, [&later](const EventArgs&) { return later = true; });
  EventArgs again = MakeEventArgs(kEventMouseButtonDown, &stopped, POINT{1, 1});
  stopped.HandleMessageTemplate(again);
  EXPECT_FALSE(later);
  EXPECT_EQ(stopped.GetState(), kControlStateNormal);
}

// A click handler that deletes its own button: later handlers do not run and nothing of the
// deleted button is touched (the all-kind handler would record, the state machine would
// write).
TEST(ControlTest, HandlerThatDestroysItsControl) {
  Box box;
  auto* button = box.Add(std::make_unique<TestButton>());
  box.SetPos(RECT{0, 0, 100, 100});
  bool later = false;
  button->AttachClick([&box, button](const EventArgs&) {
    box.Remove(button);
    return true;
  });
  button->AttachClick([&later](const EventArgs&) { return later = true; });
  button->AttachAllEvents([&later](const EventArgs& args) {
    if (args.type == kEventClick) later = true;
    return true;
  });

  EventArgs down = MakeEventArgs(kEventMouseButtonDown, button, POINT{1, 1});
  button->HandleMessageTemplate(down);
  EventArgs up = MakeEventArgs(kEventMouseButtonUp, button, POINT{1, 1});
  button->HandleMessageTemplate(up);
  EXPECT_EQ(box.GetCount(), 0u);
  EXPECT_FALSE(later);
}

// Events a control does not consume reach the parent's built-in handling (not its
// handlers); a mouse-disabled control hands its presses to the parent.
TEST(ControlTest, BubblingToTheParent) {
  Box holder;
  bool holder_handler = false;
  holder.AttachAllEvents([&holder_handler](const EventArgs&) { return holder_handler = true; });
  Control* inner = holder.Add(Make({{L"mouse", L"false"}}));
  holder.SetPos(RECT{0, 0, 10, 10});
  EventArgs down = MakeEventArgs(kEventMouseButtonDown, inner, POINT{1, 1});
  inner->HandleMessageTemplate(down);
  EXPECT_EQ(inner->GetState(), kControlStateNormal);
  EXPECT_EQ(holder.GetState(), kControlStatePushed);
  EXPECT_FALSE(holder_handler);
}

}  // namespace
}  // namespace ui
