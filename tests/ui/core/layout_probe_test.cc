// The install window's tree with plain controls of the sizes its pictures give the
// widgets, laid out by the probe at 100 % and 150 %: the layout engine against the
// window's known geometry.
#include "tests/ui/core/layout_probe.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/control.h"
#include "ui/core/window.h"

namespace ui {
namespace {

constexpr wchar_t kInstallTree[] =
    L"<Window size=\"660,512\" caption=\"0,0,0,333\"><Box>"
    L"<VBox name=\"install\">"
    L"<Box height=\"320\">"
    L"<Control name=\"minbtn\" width=\"46\" height=\"32\" margin=\"568,0,0,0\"/>"
    L"<Control name=\"closebtn\" width=\"46\" height=\"32\" margin=\"614,0,0,0\"/></Box>"
    L"<HBox name=\"row\" width=\"386\" height=\"40\" margin=\"0,32,0,0\" halign=\"center\">"
    L"<Control name=\"targetpath\" width=\"320\" margin=\"8,10,0,0\"/>"
    L"<Control name=\"btn_sel_path\" width=\"46\" height=\"32\" margin=\"8,4,0,0\"/></HBox>"
    L"<Control name=\"btn_install\" width=\"120\" height=\"40\" margin=\"0,24,0,0\" halign=\"center\"/>"
    L"<HBox name=\"accept\" width=\"auto\" height=\"20\" margin=\"0,24,0,10\" halign=\"center\">"
    L"<Control name=\"accept_eula\" width=\"16\" height=\"16\" valign=\"center\" margin=\"0,0,4,0\"/>"
    L"<Control width=\"84\" height=\"17\" valign=\"center\"/></HBox></VBox>"
    L"<VBox name=\"installing\" visible=\"false\"><Box height=\"320\"/>"
    L"<VBox name=\"inprogress\" margin=\"16,0,16,16\">"
    L"<Control name=\"progress\" width=\"612\" height=\"10\" margin=\"0,80,0,0\" halign=\"center\"/>"
    L"<Control name=\"install_progress_txt\" height=\"20\" margin=\"270,36,0,0\"/></VBox>"
    L"<VBox name=\"complete\" margin=\"16,0,16,16\" visible=\"false\">"
    L"<Control name=\"complete_txt\" width=\"190\" height=\"25\" margin=\"0,25,0,0\" halign=\"center\"/>"
    L"<HBox><Control name=\"btn_complete\" width=\"120\" height=\"40\" margin=\"180,45,0,0\"/>"
    L"<Control name=\"btn_trynow\" width=\"120\" height=\"40\" margin=\"16,45,0,0\"/></HBox>"
    L"</VBox></VBox></Box></Window>";

void Show(Window& window, const wchar_t* name, bool visible) {
  Control* control = window.FindControl(name);
  ASSERT_NE(control, nullptr) << name;
  control->SetVisible(visible);
}

TEST(LayoutProbeTest, InstallWindowGeometry) {
  struct Row {
    const wchar_t* name;
    RECT at_100;
    RECT at_150;
  };
  const Row start_page[] = {
      {L"minbtn", {568, 0, 614, 32}, {852, 0, 921, 48}},
      {L"closebtn", {614, 0, 660, 32}, {921, 0, 990, 48}},
      {L"row", {137, 352, 523, 392}, {205, 528, 784, 588}},
      {L"targetpath", {145, 362, 465, 392}, {217, 543, 697, 588}},
      {L"btn_sel_path", {473, 356, 519, 388}, {709, 534, 778, 582}},
      {L"btn_install", {270, 416, 390, 456}, {405, 624, 585, 684}},
      {L"accept", {278, 480, 382, 500}, {417, 720, 573, 750}},
      {L"accept_eula", {278, 482, 294, 498}, {417, 723, 441, 747}},
  };
  const Row progress_page[] = {
      {L"inprogress", {16, 320, 644, 496}, {24, 480, 966, 744}},
      {L"progress", {24, 400, 636, 410}, {36, 600, 954, 615}},
      {L"install_progress_txt", {286, 446, 644, 466}, {429, 669, 966, 699}},
  };
  const Row complete_view[] = {
      {L"complete_txt", {235, 345, 425, 370}, {352, 518, 637, 556}},
      {L"btn_complete", {196, 415, 316, 455}, {294, 624, 474, 684}},
      {L"btn_trynow", {332, 415, 452, 455}, {498, 624, 678, 684}},
  };
  for (int percent : {100, 150}) {
    const auto check = [percent](const ui_test::LaidOutSkin& laid, const auto& rows) {
      for (const Row& row : rows) {
        EXPECT_EQ(laid.rects.at(row.name), percent == 100 ? row.at_100 : row.at_150)
            << row.name << " at " << percent;
      }
    };
    const ui_test::LaidOutSkin start = ui_test::LayOutSkin(L"", kInstallTree, percent);
    EXPECT_EQ(start.window, percent == 100 ? (SIZE{660, 512}) : (SIZE{990, 768}));
    check(start, start_page);
    EXPECT_FALSE(start.visible.at(L"progress"));

    check(ui_test::LayOutSkin(L"", kInstallTree, percent,
                              [](Window& w) {
                                Show(w, L"install", false);
                                Show(w, L"installing", true);
                              }),
          progress_page);
    check(ui_test::LayOutSkin(L"", kInstallTree, percent,
                              [](Window& w) {
                                Show(w, L"install", false);
                                Show(w, L"installing", true);
                                Show(w, L"inprogress", false);
                                Show(w, L"complete", true);
                              }),
          complete_view);
  }
}

}  // namespace
}  // namespace ui
