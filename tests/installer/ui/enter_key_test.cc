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
  // complete, try-now usable, installing, install, install button usable
  const Case cases[] = {
      {"start page", {false, false, false, true, true}, EnterAction::kStartInstall},
      {"start page, agreement cleared", {false, false, false, true, false}, EnterAction::kNone},
      {"start page hidden", {false, false, false, false, true}, EnterAction::kNone},
      {"installing or failed", {false, false, true, false, true}, EnterAction::kNone},
      {"completion view", {true, true, true, false, true}, EnterAction::kTryNow},
      {"completion view, no try-now button", {true, false, true, false, true}, EnterAction::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(DecideEnterKey(c.state), c.expected) << c.page;
}

}  // namespace
}  // namespace vireo
