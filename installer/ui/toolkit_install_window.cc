#include "installer/ui/toolkit_install_window.h"

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/install_options.h"
#include "installer/ui/install_frame.h"
#include "installer/ui/uninstall_frame.h"
#include "support/install_log.h"
#include "support/module_instance.h"
#include "ui/markup/global_manager.h"
#include "ui/widgets/ui_startup.h"

namespace vireo {

ToolkitInstallWindow::~ToolkitInstallWindow() { Shutdown(); }

bool ToolkitInstallWindow::Show(bool waiting) {
  if (!ui::GlobalManager::Get().OpenArchiveFromResource(GetModuleInstance(), kSkinResourceName,
                                                        kSkinResourceType, "")) {
    CInstallLog::Get().Write(L"[ui] skin resource %s unreadable", kSkinResourceName);
  }
  if (!toolkit_started_) {
    toolkit_started_ = ui::Startup(L"", nullptr, /*adapt_dpi=*/true, L"", kSkinLanguagePath);
    if (!toolkit_started_) CInstallLog::Get().Write(L"[ui] window toolkit did not start");
  }
  if (frame()) return true;

  const bool uninstall = CInstallOptions::Get().uninstall;
  std::unique_ptr<CUIFrame> created;
  if (uninstall) {
    created = std::make_unique<CUIUninstallFrame>();
  } else {
    created = std::make_unique<CUIInstallFrame>();
  }
  if (!created->Create(nullptr, uninstall ? kUninstallWindowTitle : kInstallWindowTitle, WS_POPUP, 0)) {
    // A failed creation leaves the object with its creator: |created| deletes it.
    CInstallLog::Get().Write(L"[ui] install window could not be created gle=%u", ::GetLastError());
    return false;
  }
  // From here the window deletes itself at its final message.
  frame_ = created.release();
  frame_alive_ = frame_->GetWeakFlag();
  frame_->SetIcon(kInstallWindowIconId);
  if (waiting) frame_->SetWaiting(true);
  frame_->ShowToForeground();
  return true;
}

void ToolkitInstallWindow::WhenFirstPainted(std::function<void()> task) {
  if (CUIFrame* window = frame()) window->WhenFirstPainted(std::move(task));
}

void ToolkitInstallWindow::StopWaiting() {
  if (CUIFrame* window = frame()) window->SetWaiting(false);
}

CUIFrame* ToolkitInstallWindow::frame() const {
  return frame_alive_.expired() ? nullptr : frame_;
}

void ToolkitInstallWindow::ShowProgress(SETUP_PROGRESS stage, float percent) {
  if (CUIFrame* window = frame()) {
    ::PostMessageW(window->GetHWND(), kWmInstallProgress, static_cast<WPARAM>(stage),
                   static_cast<LPARAM>(static_cast<int>(percent)));
  }
}

void ToolkitInstallWindow::ShowResult(bool success, const std::wstring& message) {
  if (success) {
    ShowProgress(PROGRESS_DONE, 100);
  } else if (CUIFrame* window = frame()) {
    window->OnInstallFailed(message);
  }
}

void ToolkitInstallWindow::Shutdown() {
  if (toolkit_started_) ui::Shutdown();
  toolkit_started_ = false;
}

}  // namespace vireo
