#include "ui/widgets/button.h"

#include "tests/ui/widgets/widget_test_host.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

using testing::TestHost;

class ButtonTest : public testing::SkinTest {
 protected:
  // How many pixels of the 120x40 cell |cell| of a skin strip differ from what |host|
  // painted at (0, |top|) (premultiplied, so a blend onto the cleared buffer is the image).
  static int CellMismatches(const TestHost& host, const wchar_t* file, int cell, int top) {
    const std::shared_ptr<DecodedImage> image = GlobalManager::Get().GetImage(file, L"frame\\");
    if (!image) return -1;
    DIBSECTION dib{};
    ::GetObjectW(image->frames.front().bitmap.get(), sizeof(dib), &dib);
    const auto* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits);
    int mismatches = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) {
        mismatches += host.Pixel(x, top + y) != bits[y * image->width + cell * 120 + x];
      }
    }
    return mismatches;
  }
};

TEST_F(ButtonTest, DisabledShowsItsDisabledCellOrElseItsNormalImage) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<Button name=\"install\" class=\"btn_install\"/>"
                        L"<Button name=\"trynow\" class=\"btn_trynow\" float=\"true\" "
                        L"margin=\"0,40,0,0\"/>",
                        SIZE{120, 80}));
  host.Find<Button>(L"install")->SetEnabled(false);
  host.Find<Button>(L"trynow")->SetEnabled(false);
  host.PaintAll();

  EXPECT_EQ(CellMismatches(host, L"../button/btn_install.png", 3, 0), 0);
  EXPECT_GT(CellMismatches(host, L"../button/btn_install.png", 0, 0), 0);
  EXPECT_EQ(CellMismatches(host, L"../button/btn_trynow.png", 0, 40), 0);
}

TEST_F(ButtonTest, ClicksAndSpaceOrEnterRaiseClickOnlyWhileEnabled) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<Button name=\"b\" class=\"btn_install\"/>", SIZE{200, 60}));
  host.Layout();
  auto* button = host.Find<Button>(L"b");
  int clicks = 0;
  button->AttachClick([&clicks](const EventArgs&) {
    ++clicks;
    return true;
  });

  host.ClickAt(button);
  EXPECT_EQ(clicks, 1);
  button->SetFocus();
  ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageW(host.GetHWND(), WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(clicks, 3);

  button->SetEnabled(false);
  host.ClickAt(button);
  ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(button->Activate());
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(button->GetState(), kControlStateDisabled);
}

}  // namespace
}  // namespace ui
