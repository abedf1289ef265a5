#include "installer/ui/uninstall_frame.h"

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/main_thread.h"
#include "installer/product_constants.h"
#include "installer/ui/install_progress.h"
#include "ui/widgets/check_box.h"
#include "ui/widgets/progress.h"

namespace vireo {

void CUIUninstallFrame::InitWindow() {
  InitFrame();
  for (const wchar_t* name : {L"closebtn", L"btn_cancel", L"closebtn2", L"btn_complete"}) {
    BindClick(name, [this](const ui::EventArgs&) {
      Close();
      return true;
    });
  }
  BindClick(L"btn_uninstall", [this](const ui::EventArgs&) {
    StartUninstall();
    return true;
  });
  if (auto* keep = dynamic_cast<ui::CheckBox*>(FindControl(L"del_browser_data"))) keep->Selected(false, false);
}

const wchar_t* CUIUninstallFrame::Title() const { return kUninstallWindowTitle; }

void CUIUninstallFrame::EnableStartAction(bool waiting) {
  if (ui::Control* uninstall = FindControl(L"btn_uninstall")) uninstall->SetEnabled(!waiting);
}

void CUIUninstallFrame::StartUninstall() {
  if (IsWaiting()) return;  // another installer still works on the same folders
  const auto* delete_data = dynamic_cast<const ui::CheckBox*>(FindControl(L"del_browser_data"));
  CInstallOptions::Get().delete_user_data = delete_data && delete_data->IsSelected();
  ShowBox(L"uninstall", false);
  ShowBox(L"uninstalling", true);
  CMainThread::Get().BeginInstall();
}

LRESULT CUIUninstallFrame::HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) {
  if (msg == kWmInstallProgress) OnUninstallProgress(static_cast<int>(w_param), static_cast<float>(l_param));
  return CUIFrame::HandleMessage(msg, w_param, l_param);
}

void CUIUninstallFrame::OnUninstallProgress(int stage, float percent) {
  const ProgressView view = MapUninstallProgress(stage, percent);
  if (view.show_complete) {
    ShowBox(L"inprogress", false);
    ShowBox(L"complete", true);
    return;
  }
  if (auto* bar = dynamic_cast<ui::Progress*>(FindControl(L"progress"))) bar->SetValue(view.bar_value);
  SetLabelText(L"uninstall_progress_txt", view.text);
}

void CUIUninstallFrame::OnInstallFailed(const std::wstring& failure_text) {
  SetLabelText(L"uninstall_progress_txt", failure_text.empty() ? kUninstallFailedText : failure_text);
  ReportFailure(failure_text.empty() ? kUninstallFailedRetryMessage : failure_text, kUiUninstallFailedLog);
}

UninstallPageState CUIUninstallFrame::ReadPageState() const {
  UninstallPageState state;
  state.start_visible = IsShowing(L"uninstall");
  const ui::Control* button = FindControl(L"btn_uninstall");
  state.uninstall_focused = button && button == GetFocus();
  state.complete_visible = IsShowing(L"complete");
  return state;
}

LRESULT CUIUninstallFrame::OnKeyDown(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled) {
  switch (DecideUninstallKey(static_cast<unsigned>(w_param), ReadPageState())) {
    case UninstallKeyAction::kStartUninstall:
      StartUninstall();
      break;
    case UninstallKeyAction::kCancel:
    case UninstallKeyAction::kClose:
      Close();
      break;
    case UninstallKeyAction::kNone:
      return CUIFrame::OnKeyDown(msg, w_param, l_param, handled);
  }
  handled = true;
  return 0;
}

void CUIUninstallFrame::Close() { ::PostMessageW(GetHWND(), WM_CLOSE, 0, 0); }

}  // namespace vireo
