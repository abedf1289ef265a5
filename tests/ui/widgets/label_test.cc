#include "ui/widgets/label.h"

#include "tests/ui/widgets/widget_test_host.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"

namespace ui {
namespace {

using testing::TestHost;

class LabelTest : public testing::SkinTest {};

TEST_F(LabelTest, AutoWidthIsTheMeasuredTextAndTheTextIsCentredVertically) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<HBox height=\"20\"><Label name=\"and\" class=\"label_font12_vcenter\" "
                        L"text=\"和\" valign=\"center\"/></HBox>",
                        SIZE{200, 40}));
  host.PaintAll();
  auto* label = host.Find<Label>(L"and");
  ASSERT_NE(label, nullptr);

  const FontRecord* font = GlobalManager::Get().definitions().fonts.Find(L"system_12");
  ASSERT_NE(font, nullptr);
  const RECT measured = host.GetRenderContext()->MeasureText(
      L"和", font->handle.get(), DT_SINGLELINE | DT_CENTER | DT_VCENTER, 0);
  const RECT& pos = label->GetPos();
  // The measured box already holds the extra pixel: the label is exactly that wide.
  EXPECT_GT(measured.right - measured.left, 1);
  EXPECT_EQ(pos.right - pos.left, measured.right - measured.left);
  EXPECT_EQ(pos.bottom - pos.top, 20);

  // Ink rows lie around the middle of the 20-pixel label, not at its top.
  int first = -1;
  int last = -1;
  for (int y = pos.top; y < pos.bottom; ++y) {
    for (int x = pos.left; x < pos.right; ++x) {
      if ((host.Pixel(x, y) >> 24) == 0) continue;
      if (first < 0) first = y;
      last = y;
    }
  }
  ASSERT_GE(first, 0) << "no text drawn";
  const int middle = (pos.top + pos.bottom) / 2;
  EXPECT_LE(std::abs((first + last) / 2 - middle), 2) << first << ".." << last;
  EXPECT_GT(first, pos.top);
}

TEST_F(LabelTest, SettingTheSameTextAgainNeitherLaysOutNorRepaints) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<Label name=\"auto\" text=\"a\"/><Label name=\"fixed\" width=\"50\" "
                        L"height=\"20\" text=\"a\"/>",
                        SIZE{200, 40}));
  host.ShowAndPaint();
  auto* automatic = host.Find<Label>(L"auto");
  auto* fixed = host.Find<Label>(L"fixed");
  ASSERT_FALSE(host.IsLayoutNeeded());

  automatic->SetText(L"a");
  fixed->SetText(L"a");
  RECT update;
  EXPECT_FALSE(host.IsLayoutNeeded());
  EXPECT_FALSE(::GetUpdateRect(host.GetHWND(), &update, FALSE));

  // A fixed-size label only repaints; an auto-sized one asks for a layout.
  fixed->SetText(L"b");
  EXPECT_FALSE(host.IsLayoutNeeded());
  EXPECT_TRUE(::GetUpdateRect(host.GetHWND(), &update, FALSE));
  automatic->SetText(L"b");
  EXPECT_TRUE(host.IsLayoutNeeded());
}

}  // namespace
}  // namespace ui
