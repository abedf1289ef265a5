// The install window: the start page (folder, agreement, install button), the progress page
// and the completion view of an interactive install. It keeps no state of its own: the page
// showing is read back from the visibility of the skin's named boxes, and the target folder
// lives in the "targetpath" edit box until the install starts.
//
// Everything runs on the UI thread. The worker reaches the window only through
// CMainThread: progress as the posted kWmInstallProgress, a failure as OnInstallFailed.
//
//  IF1. InitWindow binds the skin's controls (a missing control only drops its behaviour):
//      "closebtn2"/"btn_complete" close without launching, "btn_trynow" closes and starts the
//      browser, the minimise buttons minimise (ui_frame.h), "btn_sel_path" opens the folder picker, "btn_install"
//      starts the install, "accept_eula" enables/disables "btn_install", "btn_terms" and
//      "btn_privacy" open the legal pages. "targetpath" shows GetInstallDir() without its
//      trailing backslash. With the compositor on, the popup gets the system frame.
//  IF2. StartInstall applies the shown folder and checks the application folder on the UI
//      thread: a refusal is logged and shown in a warning box and the start page stays;
//      otherwise the progress page shows and the install is posted to the worker.
//  IF3. BrowseForInstallFolder opens the picker on the nearest existing ancestor of the shown
//      folder and shows the chosen folder mapped by install_folder.h; cancelling (or a
//      result too long for a path) changes nothing.
//  IF4. kWmInstallProgress updates the bar and its text (install_progress.h); the message
//      then goes on to the toolkit's handling.
//  IF5. OnInstallFailed puts the failure text under the bar, logs it and shows an error box
//      with the log's path (or the no-log sentence); the progress page stays.
//  IF6. FinishAndClose hides the window at once, starts "<main exe>" --lchannel=install for
//      the "install" channel only, and posts WM_CLOSE. Closing the window in any way
//      destroys it and ends the UI thread's loop (ui_frame.h).
//  IF7. Enter and Esc act as enter_key.h decides (Esc by activating "closebtn"); otherwise
//      keys go to the toolkit.
//  IF8. The completion view puts the keyboard focus on "btn_trynow", its default button, so
//      Enter there still starts the browser and a screen reader lands on it.
//  IF9. While the start page waits for another installer (ui_frame.h) "btn_install" is
//      unavailable whatever the agreement box says; afterwards it follows the agreement box
//      again. A window being closed is marked so that no other run hands over to it.
#pragma once

#include <windows.h>

#include <string>

#include "installer/ui/enter_key.h"
#include "installer/ui/ui_frame.h"

namespace vireo {

inline constexpr wchar_t kInstallFrameSkinFile[] = L"UIInstallFrame.xml";

class CUIInstallFrame : public CUIFrame {
 public:
  CUIInstallFrame() = default;

  LRESULT HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) override;  // IF4

  void OnInstallProgress(int stage, float percent);  // IF4
  void OnInstallFailed(const std::wstring& failure_text) override;  // IF5

  void StartInstall();             // IF2
  void BrowseForInstallFolder();   // IF3
  void FinishAndClose(const wchar_t* channel);  // IF6
  bool HandleEnterKey();           // IF7; whether Enter did something
  bool HandleEscapeKey();          // IF7; whether Esc did something
  InstallPageState ReadPageState() const;

 protected:
  std::wstring GetSkinFile() const override { return kInstallFrameSkinFile; }
  void InitWindow() override;  // IF1
  LRESULT OnKeyDown(UINT msg, WPARAM w_param, LPARAM l_param, bool& handled) override;
  const wchar_t* Title() const override;
  void EnableStartAction(bool waiting) override;  // IF9

 private:
  void AttachEulaLinkButton(const wchar_t* name, const std::wstring& url);
};

}  // namespace vireo
