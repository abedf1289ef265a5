#include "installer/ui/enter_key.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

TEST(EnterKey, ActsOnlyOnTheStartPageAndTheCompletionView) {
  struct Case {
    const char* page;
    InstallPageState state;
    EnterAction expected;
  };
  // complete, try-now usable, installing, install, install button usable, focus takes Enter
  const Case cases[] = {
      {"start page", {false, false, false, true, true}, EnterAction::kStartInstall},
      {"start page, agreement cleared", {false, false, false, true, false}, EnterAction::kNone},
      {"start page hidden", {false, false, false, false, true}, EnterAction::kNone},
      {"installing or failed", {false, false, true, false, true}, EnterAction::kNone},
      {"completion view", {true, true, true, false, true}, EnterAction::kTryNow},
      {"completion view, no try-now button", {true, false, true, false, true}, EnterAction::kNone},
      {"start page, a button or link focused", {false, false, false, true, true, true}, EnterAction::kNone},
      {"completion view, a button focused", {true, true, true, false, true, true}, EnterAction::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(DecideEnterKey(c.state), c.expected) << c.page;
}

// Esc closes the start page only: never a running or finished install.
TEST(EscapeKey, ClosesOnlyTheStartPage) {
  struct Case {
    const char* page;
    InstallPageState state;
    EscapeAction expected;
  };
  const Case cases[] = {
      {"start page", {false, false, false, true, true}, EscapeAction::kClose},
      {"start page, agreement cleared", {false, false, false, true, false}, EscapeAction::kClose},
      {"installing or failed", {false, false, true, false, true}, EscapeAction::kNone},
      {"completion view", {true, true, true, false, true}, EscapeAction::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(DecideEscapeKey(c.state), c.expected) << c.page;
}

}  // namespace
}  // namespace vireo
