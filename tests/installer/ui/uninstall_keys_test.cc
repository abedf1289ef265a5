#include "installer/ui/uninstall_keys.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace vireo {
namespace {

// Deleting is not undone: Enter starts it only from a focused uninstall button, Esc only
// cancels before anything started, and the completion view closes on Enter.
TEST(UninstallKeys, OnlyAFocusedUninstallButtonStartsTheUninstall) {
  using A = UninstallKeyAction;
  struct Case {
    const char* what;
    unsigned key;
    UninstallPageState state;
    A expected;
  };
  const Case cases[] = {
      {"enter, start page, focus elsewhere", VK_RETURN, {true, false, false}, A::kNone},
      {"enter, start page, button focused", VK_RETURN, {true, true, false}, A::kStartUninstall},
      {"escape, start page", VK_ESCAPE, {true, false, false}, A::kCancel},
      {"space, start page, button focused", VK_SPACE, {true, true, false}, A::kNone},
      {"escape while uninstalling", VK_ESCAPE, {false, false, false}, A::kNone},
      {"enter while uninstalling", VK_RETURN, {false, true, false}, A::kNone},
      {"enter, completion", VK_RETURN, {false, false, true}, A::kClose},
      {"escape, completion", VK_ESCAPE, {false, false, true}, A::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(DecideUninstallKey(c.key, c.state), c.expected) << c.what;
}

}  // namespace
}  // namespace vireo
