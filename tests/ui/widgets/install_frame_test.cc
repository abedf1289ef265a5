// The install window's tree from the real skin, built through the toolkit's start-up: where
// every named control lands at 100 % and 150 %, and that painting and laying it out again and
// again leaves no GDI object behind.
#include <string>
#include <vector>

#include "tests/ui/render/pixel_probe.h"
#include "tests/ui/widgets/widget_test_host.h"
#include "ui/markup/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/widgets/check_box.h"
#include "ui/widgets/progress.h"
#include "ui/widgets/text_style.h"

namespace ui {
namespace {

using testing::InstallFrameHost;
using testing::RectText;

struct Placement {
  const wchar_t* name;
  RECT at_100;
  RECT at_150;
};

// Start page.
const Placement kStartPage[] = {
    {L"install", {0, 0, 660, 512}, {0, 0, 990, 768}},
    {L"minbtn", {568, 0, 614, 32}, {852, 0, 921, 48}},
    {L"closebtn", {614, 0, 660, 32}, {921, 0, 990, 48}},
    {L"targetpath", {145, 362, 465, 392}, {217, 543, 697, 588}},
    {L"btn_sel_path", {473, 356, 519, 388}, {709, 534, 778, 582}},
    {L"btn_install", {270, 416, 390, 456}, {405, 624, 585, 684}},
};
// Progress page, then its completion view.
const Placement kProgressView[] = {
    {L"installing", {0, 0, 660, 512}, {0, 0, 990, 768}},
    {L"minbtn2", {568, 0, 614, 32}, {852, 0, 921, 48}},
    {L"closebtn2", {614, 0, 660, 32}, {921, 0, 990, 48}},
    {L"inprogress", {16, 320, 644, 496}, {24, 480, 966, 744}},
    {L"progress", {24, 400, 636, 410}, {36, 600, 954, 615}},
};
const Placement kCompleteView[] = {
    {L"complete", {16, 320, 644, 496}, {24, 480, 966, 744}},
    {L"complete_txt", {235, 345, 425, 370}, {352, 518, 637, 556}},
    {L"btn_complete", {196, 415, 316, 455}, {294, 624, 474, 684}},
    {L"btn_trynow", {332, 415, 452, 455}, {498, 624, 678, 684}},
};

class InstallFrameTest : public testing::SkinTest {
 protected:
  void ExpectPlacements(const InstallFrameHost& host, const Placement* rows, size_t count,
                        bool scaled) {
    for (size_t i = 0; i < count; ++i) {
      const Control* control = host.Find(rows[i].name);
      ASSERT_NE(control, nullptr) << rows[i].name;
      EXPECT_EQ(RectText(control->GetPos()), RectText(scaled ? rows[i].at_150 : rows[i].at_100))
          << std::string(rows[i].name, rows[i].name + wcslen(rows[i].name));
    }
  }

  // The agreement row: centred, |gap| below the install button, its children side by side
  // at their measured widths.
  void ExpectAgreementRow(InstallFrameHost& host, int scale_percent) {
    const auto scaled = [scale_percent](int v) { return DpiScale(scale_percent, true).Scale(v); };
    const Control* check = host.Find(L"accept_eula");
    ASSERT_NE(check, nullptr);
    Box* row = check->GetParent();
    const FontRecord* font = GlobalManager::Get().definitions().fonts.Find(L"system_12");
    std::vector<int> widths = {scaled(14) + scaled(4)};  // the check box and its margin
    for (size_t i = 1; i < row->GetCount(); ++i) {
      const auto* label = dynamic_cast<const Label*>(row->GetItemAt(i));
      ASSERT_NE(label, nullptr);
      const RECT measured = host.GetRenderContext()->MeasureText(
          label->GetText(), font->handle.get(), DT_SINGLELINE, 0);
      widths.push_back(measured.right - measured.left);
    }
    int total = 0;
    for (int w : widths) total += w;
    const int window_width = scaled(660);
    const RECT& pos = row->GetPos();
    const int top = host.Find(L"btn_install")->GetPos().bottom + scaled(24);
    EXPECT_EQ(RectText(pos), RectText({(window_width - total) / 2, top,
                                       (window_width - total) / 2 + total, top + scaled(20)}));
    int x = pos.left;
    for (size_t i = 0; i < row->GetCount(); ++i) {
      const RECT& child = row->GetItemAt(i)->GetPos();
      EXPECT_EQ(child.left, x) << "child " << i;
      EXPECT_EQ(child.top, top) << "child " << i;
      x += widths[i];
    }
  }

  void CheckLayout(bool scaled) {
    InstallFrameHost host;
    ASSERT_TRUE(host.Open());
    RECT client;
    ::GetClientRect(host.GetHWND(), &client);
    EXPECT_EQ(RectText(client), scaled ? "0,0,990,768" : "0,0,660,512");
    host.Layout();
    ExpectPlacements(host, kStartPage, std::size(kStartPage), scaled);
    const RECT& row = host.Find(L"targetpath")->GetParent()->GetPos();
    EXPECT_EQ(RectText(row), scaled ? "205,528,784,588" : "137,352,523,392");
    ExpectAgreementRow(host, scaled ? 150 : 100);

    host.Find(L"install")->SetVisible(false);
    host.Find(L"installing")->SetVisible(true);
    host.Layout();
    ExpectPlacements(host, kProgressView, std::size(kProgressView), scaled);
    const RECT& text = host.Find(L"install_progress_txt")->GetPos();
    EXPECT_EQ(text.left, scaled ? 429 : 286);
    EXPECT_EQ(text.top, scaled ? 669 : 446);

    host.Find(L"inprogress")->SetVisible(false);
    host.Find(L"complete")->SetVisible(true);
    host.Layout();
    ExpectPlacements(host, kCompleteView, std::size(kCompleteView), scaled);
  }
};

TEST_F(InstallFrameTest, NamedControlsAtOneHundredPercent) { CheckLayout(false); }

TEST_F(InstallFrameTest, NamedControlsAtOneHundredFiftyPercent) {
  StartSkin(150);
  CheckLayout(true);
}

// Moved to a monitor of 144 DPI, a window opened at 96 takes the suggested rectangle and
// lays out, draws and measures as if it had been opened at 150 %.
TEST_F(InstallFrameTest, DpiChangeRescalesImagesFontsAndMargins) {
  GlobalManager::Get().dpi() = DpiScale(100, true);  // a DPI-aware process on a 96-DPI screen
  InstallFrameHost host;
  ASSERT_TRUE(host.Open());
  host.PaintAll();
  const auto pixel = [&](int x, int y) {
    IRenderContext* render = host.GetRenderContext();
    return testing::Rgb(render->GetBits()[y * render->GetWidth() + x]);
  };
  // Left of the install button's text, at 100 % and at 150 %.
  constexpr uint32_t kInstallBlue = 0x1B7DEA;
  const POINT probe = {420, 633};
  EXPECT_TRUE(testing::Near(pixel(280, 422), kInstallBlue, 40)) << testing::Argb(pixel(280, 422));
  const Control* word = host.Find(L"btn_terms")->GetParent()->GetItemAt(3);  // the label "和"
  const int width_at_100 = RectWidth(word->GetPos());

  RECT suggested = {40, 30, 40 + 990, 30 + 768};
  ::SendMessageW(host.GetHWND(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT now{};
  ::GetWindowRect(host.GetHWND(), &now);
  EXPECT_EQ(RectText(now), RectText(suggested));
  host.PaintAll();
  ExpectPlacements(host, kStartPage, std::size(kStartPage), true);
  ExpectAgreementRow(host, 150);  // every text measured in the fonts at 150 %
  EXPECT_GT(RectWidth(word->GetPos()), width_at_100 * 4 / 3);
  EXPECT_TRUE(testing::Near(pixel(probe.x, probe.y), kInstallBlue, 40)) << testing::Argb(pixel(probe.x, probe.y));
  EXPECT_TRUE(testing::Near(pixel(850, 600), 0xFFFFFF, 8)) << "the page's background is not stretched over the window";
}

TEST_F(InstallFrameTest, TenThousandPaintAndLayoutCyclesLeaveNoGdiObjectBehind) {
  InstallFrameHost host;
  ASSERT_TRUE(host.Open());
  auto* progress = dynamic_cast<Progress*>(host.Find(L"progress"));
  auto* text = dynamic_cast<Label*>(host.Find(L"install_progress_txt"));
  auto* eula = dynamic_cast<CheckBox*>(host.Find(L"accept_eula"));
  Control* install = host.Find(L"install");
  Control* installing = host.Find(L"installing");
  ASSERT_TRUE(progress && text && eula && install && installing);

  const auto cycle = [&](int i) {
    const bool first_page = i % 2 == 0;
    install->SetVisible(first_page);
    installing->SetVisible(!first_page);
    eula->Selected(i % 3 != 0, true);
    progress->SetValue(i % 101);
    text->SetText(L"安装中… " + std::to_wstring(i % 101) + L"%");
    host.Layout();
    // The band of the folder row, the buttons, the bar and its text: every kind of layer
    // (backgrounds, strip cells, fills, text, the edit box) at a quarter of a full paint.
    host.GetRoot()->Paint(host.GetRenderContext(), RECT{0, 350, 660, 460});
  };
  host.PaintAll();
  for (int i = 0; i < 10; ++i) cycle(i);  // fonts, images and caches settle first
  const int before = testing::CountGdiObjects();
  ASSERT_GT(before, 0) << "the GDI object count cannot be read here";
  for (int i = 0; i < 10000; ++i) cycle(i);
  EXPECT_EQ(testing::CountGdiObjects(), before);
}

}  // namespace
}  // namespace ui
