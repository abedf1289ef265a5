// The uninstall window: the start page that asks (with the choice to delete the browsing
// data), the progress page and the completion view of an uninstall a user watches. Like the
// install window it keeps no state of its own: the page showing is read back from the skin's
// named boxes.
//
// Everything runs on the UI thread; the worker reaches the window only through CMainThread.
//
//  UW1. InitWindow binds the skin's controls (a missing control only drops its behaviour):
//       "closebtn" and "btn_cancel" close with nothing changed, "btn_uninstall" starts the
//       uninstall, "closebtn2" and "btn_complete" close. "del_browser_data" starts cleared.
//  UW2. StartUninstall takes the check box into delete_user_data, shows the progress page
//       and posts the uninstall to the worker; while the start page waits for another
//       installer (ui_frame.h) "btn_uninstall" is unavailable and StartUninstall does
//       nothing.
//  UW3. kWmInstallProgress updates the bar and its text (MapUninstallProgress); the done
//       stage shows the completion view.
//  UW4. OnInstallFailed puts the failure text under the bar and reports it in an error box
//       with the log's path; the progress page stays.
//  UW5. Esc and Enter act as uninstall_keys.h decides; other keys go to the toolkit.
#pragma once

#include <windows.h>

#include <string>

#include "installer/ui/ui_frame.h"
#include "installer/ui/uninstall_keys.h"

namespace vireo {

inline constexpr wchar_t kUninstallFrameSkinFile[] = L"UIUninstallFrame.xml";

class CUIUninstallFrame : public CUIFrame {
 public:
  CUIUninstallFrame() = default;

  LRESULT HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) override;  // UW3
  void OnInstallFailed(const std::wstring& failure_text) override;           // UW4
  void StartUninstall();                                                     // UW2
  UninstallPageState ReadPageState() const;

 protected:
  std::wstring GetSkinFile() const override { return kUninstallFrameSkinFile; }
  void InitWindow() override;  // UW1
  LRESULT OnKeyDown(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled) override;  // UW5
  const wchar_t* Title() const override;
  void EnableStartAction(bool waiting) override;  // UW2

 private:
  void OnUninstallProgress(int stage, float percent);
  void Close();
};

}  // namespace vireo
