#include "ui/widgets/button.h"

#include "tests/ui/render/pixel_probe.h"
#include "tests/ui/widgets/widget_test_host.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

using testing::Argb;
using testing::TestHost;

class ButtonTest : public testing::SkinTest {
 protected:
  // The premultiplied pixel (x, y) of a skin image from the frame folder.
  static uint32_t ImagePixel(const wchar_t* file, int x, int y) {
    const std::shared_ptr<DecodedImage> image = GlobalManager::Get().GetImage(file, L"frame\\");
    EXPECT_NE(image, nullptr);
    if (!image) return 0;
    DIBSECTION dib{};
    ::GetObjectW(image->frames.front().bitmap.get(), sizeof(dib), &dib);
    return static_cast<const uint32_t*>(dib.dsBm.bmBits)[y * image->width + x];
  }
  // A point inside a 120x40 cell where cell |a| and cell |b| of the strip differ most.
  static POINT MostDifferent(const wchar_t* file, int a, int b) {
    POINT best = {0, 0};
    int best_diff = -1;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) {
        const uint32_t pa = ImagePixel(file, a * 120 + x, y);
        const uint32_t pb = ImagePixel(file, b * 120 + x, y);
        int diff = 0;
        for (int shift = 0; shift < 32; shift += 8) {
          diff += std::abs(static_cast<int>((pa >> shift) & 0xFF) -
                           static_cast<int>((pb >> shift) & 0xFF));
        }
        if (diff > best_diff) best = {x, y}, best_diff = diff;
      }
    }
    return best;
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

  const wchar_t kInstall[] = L"../button/btn_install.png";
  const POINT p = MostDifferent(kInstall, 0, 3);
  EXPECT_EQ(Argb(host.Pixel(p.x, p.y)), Argb(ImagePixel(kInstall, 360 + p.x, p.y)));
  EXPECT_NE(Argb(host.Pixel(p.x, p.y)), Argb(ImagePixel(kInstall, p.x, p.y)));

  const wchar_t kTryNow[] = L"../button/btn_trynow.png";
  const POINT q = MostDifferent(kTryNow, 0, 1);
  EXPECT_EQ(Argb(host.Pixel(q.x, 40 + q.y)), Argb(ImagePixel(kTryNow, q.x, q.y)));
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
