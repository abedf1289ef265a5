// What the install window shows for one progress report: the driver's stages are mapped onto
// one bar, extraction taking it to 95 % and the three short steps after it to 97, 99 and
// 100 %, so the bar never runs backwards between stages.
//
//  - Stage PROGRESS_DONE switches to the completion view; bar and text stay as they were.
//  - Any other stage gives the bar value p * 0.95 (unzip), 95 + p * 0.02 (dir),
//    97 + p * 0.02 (shortcut), 99 + p * 0.01 (registry); the uninstall stages and
//    anything unknown give 0.
//  - The text is kInstallingTextPrefix, the value rounded half up (truncate(value + 0.5))
//    and "%".
//  - The uninstall window maps its own stages, in the order the uninstall runs them:
//    p * 0.90 (uninstall dir), 90 + p * 0.05 (uninstall shortcut), 95 + p * 0.05
//    (uninstall registry); the install stages and anything unknown give 0. The text is
//    kUninstallingTextPrefix, the value rounded as for the install, and "%"; PROGRESS_DONE
//    as for the install.
#pragma once

#include <string>

namespace vireo {

struct ProgressView {
  bool show_complete = false;  // nothing else applies
  double bar_value = 0;        // 0-100
  std::wstring text;
};

ProgressView MapInstallProgress(int stage, double percent);
ProgressView MapUninstallProgress(int stage, double percent);

}  // namespace vireo
