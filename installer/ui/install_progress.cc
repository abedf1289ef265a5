#include "installer/ui/install_progress.h"

#include "installer/installer_strings.h"
#include "installer/work_item.h"

namespace vireo {

namespace {

double BarValue(int stage, double p) {
  switch (stage) {
    case PROGRESS_UNZIP: return p * 0.95;
    case PROGRESS_DIR: return 95 + p * 0.02;
    case PROGRESS_SHORTCUT: return 97 + p * 0.02;
    case PROGRESS_REG: return 99 + p * 0.01;
    default: return 0;
  }
}

double UninstallBarValue(int stage, double p) {
  switch (stage) {
    case PROGRESS_UNINSTALL_DIR: return p * 0.90;
    case PROGRESS_UNINSTALL_SHORTCUT: return 90 + p * 0.05;
    case PROGRESS_UNINSTALL_REG: return 95 + p * 0.05;
    default: return 0;
  }
}

ProgressView MapProgress(int stage, double percent, double (*bar_value)(int, double), const wchar_t* prefix) {
  ProgressView view;
  if (stage == PROGRESS_DONE) {
    view.show_complete = true;
    return view;
  }
  view.bar_value = bar_value(stage, percent);
  view.text = prefix;
  view.text += std::to_wstring(static_cast<int>(view.bar_value + 0.5));
  view.text += L'%';
  return view;
}

}  // namespace

ProgressView MapInstallProgress(int stage, double percent) {
  return MapProgress(stage, percent, &BarValue, kInstallingTextPrefix);
}

ProgressView MapUninstallProgress(int stage, double percent) {
  return MapProgress(stage, percent, &UninstallBarValue, kUninstallingTextPrefix);
}

}  // namespace vireo
