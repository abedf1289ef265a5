#include "installer/ui/install_progress.h"

#include <gtest/gtest.h>

#include "installer/installer_strings.h"
#include "installer/work_item.h"

namespace vireo {
namespace {

// The stages share one bar: extraction fills it to 95 %, the three short steps add 2, 2 and
// 1 %. The text rounds half up.
TEST(InstallProgress, StagesMapOntoOneBar) {
  struct Case {
    int stage;
    double percent;
    double bar;
    int shown;
  };
  const Case cases[] = {
      {PROGRESS_UNZIP, 0, 0, 0},
      {PROGRESS_UNZIP, 50, 47.5, 48},
      {PROGRESS_UNZIP, 100, 95, 95},
      {PROGRESS_DIR, 0, 95, 95},
      {PROGRESS_DIR, 100, 97, 97},
      {PROGRESS_SHORTCUT, 50, 98, 98},
      {PROGRESS_REG, 100, 100, 100},
      {PROGRESS_UNINSTALL_REG, 100, 0, 0},
      {-1, 100, 0, 0},
  };
  for (const Case& c : cases) {
    const ProgressView view = MapInstallProgress(c.stage, c.percent);
    EXPECT_FALSE(view.show_complete) << "stage " << c.stage;
    EXPECT_DOUBLE_EQ(view.bar_value, c.bar) << "stage " << c.stage << " at " << c.percent;
    EXPECT_EQ(view.text, kInstallingTextPrefix + std::to_wstring(c.shown) + L"%")
        << "stage " << c.stage << " at " << c.percent;
  }
}

// Completion switches the view and leaves the bar and its text alone.
TEST(InstallProgress, DoneOnlySwitchesTheView) {
  const ProgressView view = MapInstallProgress(PROGRESS_DONE, 100);
  EXPECT_TRUE(view.show_complete);
  EXPECT_TRUE(view.text.empty());
}

}  // namespace
}  // namespace vireo
