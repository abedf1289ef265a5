#include "ui/core/state_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui {
namespace {

// What a state paints from a set, given which images exist: (descriptor, fade) per draw.
TEST(StateImageTest, FallbacksAndHotBlend) {
  struct Draw {
    std::wstring image;
    int fade;
    bool operator==(const Draw& o) const { return image == o.image && fade == o.fade; }
  };
  struct Case {
    const char* what;
    std::vector<const wchar_t*> images;  // normal, hot, pushed, disabled ("" = none)
    ControlState state;
    int hot_alpha;
    bool hot_fade;
    std::vector<Draw> expected;
  };
  const Case cases[] = {
      {"pushed without its image: hot, fully opaque", {L"n", L"h", L"", L""},
       kControlStatePushed, 0, true, {{L"h", 255}}},
      {"pushed without hot either: normal", {L"n", L"", L"", L""},
       kControlStatePushed, 0, false, {{L"n", kFadeKeep}}},
      {"disabled without its image: normal", {L"n", L"h", L"p", L""},
       kControlStateDisabled, 0, true, {{L"n", kFadeKeep}}},
      {"disabled with its image", {L"n", L"h", L"p", L"d"},
       kControlStateDisabled, 0, true, {{L"d", kFadeKeep}}},
      {"normal during a fade: normal, then hot at the hot alpha", {L"n", L"file='h' fade='200'", L"", L""},
       kControlStateNormal, 51, true, {{L"n", kFadeKeep}, {L"file='h' fade='200'", 40}}},
      {"hot at alpha 0 draws no hot image", {L"n", L"h", L"", L""},
       kControlStateHot, 0, true, {{L"n", kFadeKeep}}},
      {"one image changing only its fade: one blended draw",
       {L"file='s' source='0,0,4,4' fade='100'", L"file='s' source='0,0,4,4' fade='200'", L"", L""},
       kControlStateHot, 255 / 2, true, {{L"file='s' source='0,0,4,4' fade='100'", 149}}},
  };
  for (const Case& c : cases) {
    StateImage set;
    for (int state = 0; state < kControlStateCount; ++state) {
      set.Get(static_cast<ControlState>(state)).SetDescriptor(c.images[state]);
    }
    std::vector<Draw> drawn;
    set.Paint(c.state, c.hot_alpha, c.hot_fade, [&drawn](Image& image, int fade) {
      if (image.IsEmpty()) return false;
      drawn.push_back({image.GetDescriptor(), fade});
      return true;
    });
    EXPECT_TRUE(drawn == c.expected) << c.what;
  }
}

}  // namespace
}  // namespace ui
