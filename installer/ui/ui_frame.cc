// What the install and the uninstall window share: binding the skin's controls, page boxes,
// message boxes and coming to the foreground.
#include "installer/ui/ui_frame.h"

#include "installer/installer_strings.h"
#include "installer/ui/dwm_frame.h"
#include "support/install_log.h"
#include "ui/widgets/label.h"

namespace vireo {

void CUIFrame::InitFrame() {
  ApplyDwmFrame(GetHWND());
  for (const wchar_t* name : {L"minbtn", L"minbtn2"}) {
    BindClick(name, [this](const ui::EventArgs&) {
      ::SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return true;
    });
  }
}

void CUIFrame::BindClick(const wchar_t* name, ui::EventCallback handler) {
  if (ui::Control* control = FindControl(name)) control->AttachClick(std::move(handler));
}

void CUIFrame::ShowBox(const wchar_t* name, bool visible) {
  if (ui::Control* control = FindControl(name)) control->SetFadeVisible(visible);
}

bool CUIFrame::IsShowing(const wchar_t* name) const {
  const ui::Control* control = FindControl(name);
  return control && control->IsVisible();
}

void CUIFrame::SetWaiting(bool waiting) {
  if (auto* line = dynamic_cast<ui::Label*>(FindControl(L"waiting_txt"))) {
    line->SetText(kWaitingForOtherRunText);
    line->SetVisible(waiting);
  }
  EnableStartAction(waiting);
}

bool CUIFrame::IsWaiting() const { return IsShowing(L"waiting_txt"); }

void CUIFrame::SetLabelText(const wchar_t* name, const std::wstring& text) {
  if (auto* label = dynamic_cast<ui::Label*>(FindControl(name))) label->SetText(text);
}

void CUIFrame::ShowMessage(const std::wstring& text, UINT icon) {
  ::MessageBoxW(GetHWND(), text.c_str(), Title(), MB_OK | icon);
}

std::wstring CUIFrame::LogPath() {
  const wchar_t* path = CInstallLog::Get().GetLogPath();
  return path ? path : L"";
}

void CUIFrame::ReportFailure(std::wstring text, const wchar_t* log_format) {
  CInstallLog::Get().Write(log_format, text.c_str());
  const std::wstring log = LogPath();
  text += log.empty() ? std::wstring(kNoLogSentence) : kLogPathLead + log;
  ShowMessage(text, MB_ICONERROR);
}

void CUIFrame::OnFinalMessage(HWND hwnd) {
  // The base deletes this object; nothing of it may be touched afterwards.
  ui::WindowImplBase::OnFinalMessage(hwnd);
  ::PostQuitMessage(0);
}

void CUIFrame::OnInitLayout() {
  ui::WindowImplBase::OnInitLayout();
  if (!first_painted_) return;
  const std::function<void()> task = std::move(first_painted_);
  first_painted_ = nullptr;
  task();
}

void CUIFrame::ShowToForeground() {
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
