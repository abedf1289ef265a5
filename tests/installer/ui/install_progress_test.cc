#include "installer/ui/install_progress.h"

#include <gtest/gtest.h>

#include "installer/installer_strings.h"
#include "installer/work_item.h"

namespace vireo {
namespace {

struct Case {
  int stage;
  double percent;
  double bar;
  int shown;
};

template <size_t N>
void ExpectMapped(ProgressView (*map)(int, double), const wchar_t* prefix, const Case (&cases)[N]) {
  for (const Case& c : cases) {
    const ProgressView view = map(c.stage, c.percent);
    EXPECT_FALSE(view.show_complete) << "stage " << c.stage;
    EXPECT_DOUBLE_EQ(view.bar_value, c.bar) << "stage " << c.stage << " at " << c.percent;
    EXPECT_EQ(view.text, prefix + std::to_wstring(c.shown) + L"%") << "stage " << c.stage << " at " << c.percent;
  }
}

// The stages share one bar: extraction fills it to 95 %, the three short steps add 2, 2 and
// 1 %. The text rounds half up.
TEST(InstallProgress, StagesMapOntoOneBar) {
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
  ExpectMapped(&MapInstallProgress, kInstallingTextPrefix, cases);
}

// Completion switches the view and leaves the bar and its text alone.
TEST(InstallProgress, DoneOnlySwitchesTheView) {
  const ProgressView view = MapInstallProgress(PROGRESS_DONE, 100);
  EXPECT_TRUE(view.show_complete);
  EXPECT_TRUE(view.text.empty());
}

// The uninstall window's stages in the order the uninstall runs them: the folder takes the bar
// to 90 %, the links and the registry 5 % each; install stages move nothing.
TEST(InstallProgress, UninstallStagesMapOntoTheirOwnBar) {
  const Case cases[] = {
      {PROGRESS_UNINSTALL_DIR, 0, 0, 0},
      {PROGRESS_UNINSTALL_DIR, 100, 90, 90},
      {PROGRESS_UNINSTALL_SHORTCUT, 50, 92.5, 93},
      {PROGRESS_UNINSTALL_REG, 100, 100, 100},
      {PROGRESS_UNZIP, 100, 0, 0},
  };
  ExpectMapped(&MapUninstallProgress, kUninstallingTextPrefix, cases);
  EXPECT_TRUE(MapUninstallProgress(PROGRESS_DONE, 100).show_complete);
}

}  // namespace
}  // namespace vireo
