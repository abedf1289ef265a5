#include "ui/core/hot_fade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "corekit/message_loop.h"
#include "tests/ui/core/core_test_util.h"

namespace ui {
namespace {

constexpr int64_t kHardLimitUs = 10 * 1000 * 1000;

// A control with a hot image fades its hot alpha up on mouse enter, a little at a time,
// and back down on leave; steps run on the UI loop's delayed tasks.
TEST(HotFadeTest, FadesInAndOutOnTheLoop) {
  corekit::MessageLoop loop(corekit::MessageLoop::Type::kUI);
  std::unique_ptr<Control> control(ui_test::Make({{L"normalimage", L"n.png"}, {L"hotimage", L"h.png"}}));
  ASSERT_TRUE(control->HasHotAnimation());
  control->SetPos(RECT{0, 0, 10, 10});

  std::vector<int> seen;
  const auto run_until = [&](int target) {
    const auto poll = std::make_shared<std::function<void()>>();
    *poll = [&, poll, target] {
      seen.push_back(control->GetHotAlpha());
      if (control->GetHotAlpha() == target) {
        loop.Quit();
        return;
      }
      loop.PostDelayedTask(*poll, 5000);
    };
    loop.PostTask(*poll);
    loop.PostDelayedTask([&loop] { loop.Quit(); }, kHardLimitUs);
    loop.Run();
  };

  EventArgs enter = MakeEventArgs(kEventMouseEnter, control.get(), POINT{1, 1});
  control->HandleMessageTemplate(enter);
  run_until(255);
  ASSERT_EQ(control->GetHotAlpha(), 255);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GT(std::count_if(seen.begin(), seen.end(), [](int a) { return a > 0 && a < 255; }), 0)
      << "no intermediate step";

  seen.clear();
  EventArgs leave = MakeEventArgs(kEventMouseLeave, control.get(), POINT{50, 50});
  control->HandleMessageTemplate(leave);
  run_until(0);
  EXPECT_EQ(control->GetHotAlpha(), 0);
  EXPECT_TRUE(std::is_sorted(seen.rbegin(), seen.rend()));

  // A step still queued when its control is destroyed does nothing.
  control->HandleMessageTemplate(enter);
  control.reset();
  loop.PostDelayedTask([&loop] { loop.Quit(); }, 100 * 1000);
  loop.Run();
}

// Without a message loop on the thread a fade jumps to its end.
TEST(HotFadeTest, NoLoopJumpsToTheEnd) {
  std::unique_ptr<Control> control(ui_test::Make({{L"hotimage", L"h.png"}}));
  EventArgs enter = MakeEventArgs(kEventMouseEnter, control.get(), POINT{1, 1});
  control->HandleMessageTemplate(enter);
  EXPECT_EQ(control->GetHotAlpha(), 255);
  EXPECT_DOUBLE_EQ(HotFadeEase(0.0), 0.0);
  EXPECT_DOUBLE_EQ(HotFadeEase(1.0), 1.0);
  EXPECT_LT(HotFadeEase(0.1), 0.1 * 1.0);  // slow start
}

}  // namespace
}  // namespace ui
