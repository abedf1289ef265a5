// The install window's bindings, message hooks and page state. Its actions (install, folder
// picker, progress, failure, closing) are in install_frame_actions.cc.
#include "installer/ui/install_frame.h"

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/single_instance.h"
#include "installer/ui/legal_pages.h"
#include "installer/work_item.h"
#include "support/fixed_path.h"
#include "support/open_url.h"
#include "ui/widgets/check_box.h"
#include "ui/widgets/label.h"
#include "ui/widgets/rich_edit.h"

namespace vireo {

namespace {

void RemoveOneTrailingBackslash(std::wstring* text) {
  if (!text->empty() && text->back() == L'\\') text->pop_back();
}

}  // namespace

void CUIInstallFrame::InitWindow() {
  InitFrame();
  BindClick(L"closebtn2", [this](const ui::EventArgs&) {
    FinishAndClose(kLaunchChannelStartup);
    return true;
  });
  if (auto* target = dynamic_cast<ui::RichEdit*>(FindControl(L"targetpath"))) {
    // The option is a 261-character path; a longer text never comes from it.
    std::wstring shown(CInstallOptions::Get().GetInstallDir());
    if (shown.size() > kMaxPathChars) shown.resize(kMaxPathChars);
    RemoveOneTrailingBackslash(&shown);
    target->SetText(shown);
    BindClick(L"btn_sel_path", [this](const ui::EventArgs&) {
      BrowseForInstallFolder();
      return true;
    });
  }
  if (ui::Control* install = FindControl(L"btn_install")) {
    install->AttachClick([this](const ui::EventArgs&) {
      StartInstall();
      return true;
    });
    if (ui::Control* accept = FindControl(L"accept_eula")) {
      accept->AttachSelect([this, install](const ui::EventArgs&) {
        install->SetEnabled(!IsWaiting());
        return true;
      });
      accept->AttachUnSelect([install](const ui::EventArgs&) {
        install->SetEnabled(false);
        return true;
      });
    }
    AttachEulaLinkButton(L"btn_terms", std::wstring(kLegalHost) + kTermsOfServicePath);
    AttachEulaLinkButton(L"btn_privacy", std::wstring(kLegalHost) + kPrivacyPolicyPath);
  }
  BindClick(L"btn_trynow", [this](const ui::EventArgs&) {
    FinishAndClose(kLaunchChannelInstall);
    return true;
  });
  BindClick(L"btn_complete", [this](const ui::EventArgs&) {
    FinishAndClose(kLaunchChannelStartup);
    return true;
  });
}

void CUIInstallFrame::AttachEulaLinkButton(const wchar_t* name, const std::wstring& url) {
  BindClick(name, [url](const ui::EventArgs&) {
    OpenUrl(url.c_str());
    return true;
  });
}

LRESULT CUIInstallFrame::HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) {
  if (msg == kWmInstallProgress) {
    OnInstallProgress(static_cast<int>(w_param), static_cast<float>(l_param));
  } else if (msg == WM_CLOSE) {
    MarkInstallWindowClosing(GetHWND());
  }
  return CUIFrame::HandleMessage(msg, w_param, l_param);
}

LRESULT CUIInstallFrame::OnKeyDown(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled) {
  if ((w_param == VK_RETURN && HandleEnterKey()) || (w_param == VK_ESCAPE && HandleEscapeKey())) {
    handled = true;
    return 0;
  }
  return CUIFrame::OnKeyDown(msg, w_param, l_param, handled);
}

const wchar_t* CUIInstallFrame::Title() const { return kInstallWindowTitle; }

InstallPageState CUIInstallFrame::ReadPageState() const {
  InstallPageState state;
  state.complete_visible = IsShowing(L"complete");
  const ui::Control* try_now = FindControl(L"btn_trynow");
  state.try_now_usable = try_now && try_now->IsVisible() && try_now->IsEnabled();
  state.installing_visible = IsShowing(L"installing");
  state.install_visible = IsShowing(L"install");
  const ui::Control* install = FindControl(L"btn_install");
  state.install_button_usable = install && install->IsEnabled();
  state.focus_takes_enter = FocusTakesKey(VK_RETURN);
  return state;
}

void CUIInstallFrame::EnableStartAction(bool waiting) {
  if (ui::Control* install = FindControl(L"btn_install")) {
    const auto* accept = dynamic_cast<const ui::CheckBox*>(FindControl(L"accept_eula"));
    install->SetEnabled(!waiting && (!accept || accept->IsSelected()));
  }
}

bool CUIInstallFrame::HandleEscapeKey() {
  if (DecideEscapeKey(ReadPageState()) != EscapeAction::kClose) return false;
  ui::Control* close = FindControl(ui::kCloseButtonName);
  return close != nullptr && close->Activate();
}

bool CUIInstallFrame::HandleEnterKey() {
  switch (DecideEnterKey(ReadPageState())) {
    case EnterAction::kTryNow:
      FinishAndClose(kLaunchChannelInstall);
      return true;
    case EnterAction::kStartInstall:
      StartInstall();
      return true;
    case EnterAction::kNone:
      break;
  }
  return false;
}

}  // namespace vireo
