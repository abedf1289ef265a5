#include "ui/widgets/check_box.h"

#include "tests/ui/widgets/widget_test_host.h"

namespace ui {
namespace {

using testing::TestHost;

class CheckBoxTest : public testing::SkinTest {};

TEST_F(CheckBoxTest, AClickTogglesWithExactlyOneSelectOrUnselectAndNoClick) {
  TestHost host;
  ASSERT_TRUE(host.Open(
      L"<CheckBox name=\"eula\" class=\"checkbox_eula\" text=\"\" selected=\"true\"/>",
      SIZE{100, 40}));
  host.Layout();
  auto* box = host.Find<CheckBox>(L"eula");
  ASSERT_TRUE(box->IsSelected());
  int selects = 0;
  int unselects = 0;
  int clicks = 0;
  box->AttachSelect([&](const EventArgs&) { return ++selects, true; });
  box->AttachUnSelect([&](const EventArgs&) { return ++unselects, true; });
  box->AttachClick([&](const EventArgs&) { return ++clicks, true; });

  host.ClickAt(box);
  EXPECT_FALSE(box->IsSelected());
  EXPECT_EQ(unselects, 1);
  EXPECT_EQ(selects, 0);
  host.ClickAt(box);
  EXPECT_TRUE(box->IsSelected());
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(unselects, 1);
  EXPECT_EQ(clicks, 0);

  // Setting the flag it already has raises nothing; asked not to raise, nothing either.
  box->Selected(true, true);
  box->Selected(false, false);
  EXPECT_EQ(selects + unselects, 2);
}

TEST_F(CheckBoxTest, AHandlerMayDestroyTheCheckBox) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<CheckBox name=\"c\" class=\"checkbox_eula\"/>", SIZE{100, 40}));
  host.Layout();
  auto* box = host.Find<CheckBox>(L"c");
  Box* root = host.GetRoot();
  box->AttachSelect([root, box](const EventArgs&) { return root->Remove(box), false; });
  box->Activate();
  EXPECT_EQ(root->GetCount(), 0u);
  EXPECT_EQ(host.FindControl(L"c"), nullptr);
}

}  // namespace
}  // namespace ui
