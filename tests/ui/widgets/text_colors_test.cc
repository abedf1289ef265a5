#include "ui/widgets/text_colors.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(TextColorsTest, StatesFallBackToHotThenNormal) {
  struct Case {
    const wchar_t* hot;
    const wchar_t* pushed;
    const wchar_t* disabled;
    ControlState state;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"", L"", L"", kControlStateHot, L"n"},
      {L"h", L"", L"", kControlStatePushed, L"h"},
      {L"", L"", L"", kControlStatePushed, L"n"},
      {L"h", L"p", L"", kControlStatePushed, L"p"},
      {L"h", L"p", L"", kControlStateDisabled, L"n"},
      {L"h", L"p", L"d", kControlStateDisabled, L"d"},
  };
  for (const Case& c : cases) {
    TextColors colors;
    colors.Set(kControlStateNormal, L"n");
    colors.Set(kControlStateHot, c.hot);
    colors.Set(kControlStatePushed, c.pushed);
    colors.Set(kControlStateDisabled, c.disabled);
    EXPECT_EQ(colors.ForState(c.state), c.expected) << c.state << " " << c.hot << c.pushed;
  }
}

}  // namespace
}  // namespace ui
