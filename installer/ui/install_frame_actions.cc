// What the install window does: start the install, pick a folder, follow the progress,
// report a failure, close, and come to the foreground.
#include <windows.h>

#include <cwchar>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/main_thread.h"
#include "installer/path_check.h"
#include "installer/product_constants.h"
#include "installer/ui/folder_picker.h"
#include "installer/ui/install_folder.h"
#include "installer/ui/install_frame.h"
#include "installer/ui/install_progress.h"
#include "support/install_log.h"
#include "support/process_launch.h"
#include "ui/widgets/progress.h"
#include "ui/widgets/rich_edit.h"

namespace vireo {

void CUIInstallFrame::StartInstall() {
  CInstallOptions& options = CInstallOptions::Get();
  if (auto* target = dynamic_cast<ui::RichEdit*>(FindControl(L"targetpath"))) {
    options.SetInstallDir(target->GetText());
  }
  const std::wstring refusal = CheckInstallPath(options.GetAppDir());
  if (!refusal.empty()) {
    CInstallLog::Get().Write(kUiPathCheckFailedLog, refusal.c_str());
    std::wstring text = refusal;
    const std::wstring log = LogPath();
    if (!log.empty()) text += kLogPathLead + log;
    ShowMessage(text, MB_ICONWARNING);
    return;
  }
  ShowBox(L"install", false);
  ShowBox(L"installing", true);
  CMainThread::Get().BeginInstall();
}

void CUIInstallFrame::BrowseForInstallFolder() {
  auto* target = dynamic_cast<ui::RichEdit*>(FindControl(L"targetpath"));
  if (!target) return;
  const std::wstring initial = TrimToExistingFolder(target->GetText());
  const std::wstring chosen = PickFolder(GetHWND(), kFolderPickerTitle, initial);
  if (chosen.empty()) return;
  CInstallOptions& options = CInstallOptions::Get();
  const std::wstring mapped =
      MapChosenFolder(chosen, options.GetDefaultRoot(), options.GetProductName(), options.product_en);
  if (!mapped.empty()) target->SetText(mapped);
}

void CUIInstallFrame::OnInstallProgress(int stage, float percent) {
  const ProgressView view = MapInstallProgress(stage, percent);
  if (view.show_complete) {
    ShowBox(L"inprogress", false);
    ShowBox(L"complete", true);
    if (ui::Control* try_now = FindControl(L"btn_trynow"); try_now && try_now->CanGetFocus()) MoveFocus(try_now);
    return;
  }
  auto* bar = dynamic_cast<ui::Progress*>(FindControl(L"progress"));
  if (!bar) return;
  bar->SetValue(view.bar_value);
  SetLabelText(L"install_progress_txt", view.text);
}

void CUIInstallFrame::OnInstallFailed(const std::wstring& failure_text) {
  SetLabelText(L"install_progress_txt", failure_text.empty() ? kInstallFailedText : failure_text);
  ReportFailure(failure_text.empty() ? kInstallFailedRetryMessage : failure_text, kUiInstallFailedLog);
}

void CUIInstallFrame::FinishAndClose(const wchar_t* channel) {
  ::ShowWindow(GetHWND(), SW_HIDE);
  if (std::wcscmp(channel, kLaunchChannelInstall) == 0) {
    // The quoted path (260), a space and the switch fit with room to spare.
    wchar_t command[kPathCapacity + 64];
    std::swprintf(command, std::size(command), L"\"%ls\" --%ls=%ls", CInstallOptions::Get().GetMainExePath(),
                  kLaunchChannelSwitch, channel);
    LaunchProcess(command, SW_SHOW);
  }
  ::PostMessageW(GetHWND(), WM_CLOSE, 0, 0);
}

}  // namespace vireo
