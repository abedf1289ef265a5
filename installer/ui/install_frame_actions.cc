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
#include "ui/widgets/label.h"
#include "ui/widgets/progress.h"
#include "ui/widgets/rich_edit.h"

namespace vireo {

namespace {

// The log's path as the boxes show it; empty when no log file could be opened.
std::wstring LogPath() {
  const wchar_t* path = CInstallLog::Get().GetLogPath();
  return path ? path : L"";
}

}  // namespace

void CUIInstallFrame::StartInstall() {
  if (IsWaiting()) return;  // another installer still works on the same folders
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
    return;
  }
  auto* bar = dynamic_cast<ui::Progress*>(FindControl(L"progress"));
  if (!bar) return;
  bar->SetValue(view.bar_value);
  SetProgressText(view.text);
}

void CUIInstallFrame::OnInstallFailed(const std::wstring& failure_text) {
  SetProgressText(failure_text.empty() ? kInstallFailedText : failure_text);
  std::wstring text = failure_text.empty() ? kInstallFailedRetryMessage : failure_text;
  CInstallLog::Get().Write(kUiInstallFailedLog, text.c_str());
  const std::wstring log = LogPath();
  text += log.empty() ? std::wstring(kNoLogSentence) : kLogPathLead + log;
  ShowMessage(text, MB_ICONERROR);
}

void CUIInstallFrame::SetProgressText(const std::wstring& text) {
  if (auto* label = dynamic_cast<ui::Label*>(FindControl(L"install_progress_txt"))) label->SetText(text);
}

void CUIInstallFrame::ShowMessage(const std::wstring& text, UINT icon) {
  ::MessageBoxW(GetHWND(), text.c_str(), kInstallWindowTitle, MB_OK | icon);
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

void CUIInstallFrame::ShowToForeground() {
  HWND window = GetHWND();
  const DWORD this_thread = ::GetCurrentThreadId();
  HWND foreground = ::GetForegroundWindow();
  const DWORD foreground_thread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool borrow = foreground_thread != 0 && foreground_thread != this_thread;
  if (::IsWindowVisible(window)) {
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
    if (foreground == window) return;
    if (borrow) ::AttachThreadInput(this_thread, foreground_thread, TRUE);
    ::SetForegroundWindow(window);
    if (borrow) ::AttachThreadInput(this_thread, foreground_thread, FALSE);
    return;
  }
  const bool attached = borrow && ::AttachThreadInput(this_thread, foreground_thread, TRUE);
  CenterWindow();
  ::ShowWindow(window, SW_SHOWNORMAL);
  if (attached) ::AttachThreadInput(this_thread, foreground_thread, FALSE);
  // Showing while attached to the desktop window's thread (the foreground "window" of a
  // freshly started session) can leave no foreground window at all under Wine: ask again.
  if (borrow && (!attached || ::GetForegroundWindow() != window)) ::SetForegroundWindow(window);
}

}  // namespace vireo
