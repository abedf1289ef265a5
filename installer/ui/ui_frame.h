// The installer's skinned window base: the window class, the skin folder and the behaviour
// the install and the uninstall window share (the host of both).
//
//  FH1. Controls are found by their skin name; binding a click, showing a box or asking
//      whether one shows does nothing (or answers false) for a name the skin lacks.
//  FH2. The minimise buttons "minbtn" and "minbtn2" minimise the window, whichever page shows.
//  FH3. ShowToForeground restores and raises a visible window; a hidden one is centred and
//      shown with activation, borrowing the foreground thread's input state when this thread
//      does not own it.
//  FH4. Destroying the window, in any way, posts WM_QUIT (code 0) to the UI thread's loop;
//      the object is gone by then.
//  FH5. ReportFailure logs |log_format| with the text, and shows it in an error box with the
//      log's path (or the no-log sentence) under the window's title.
//  FH6. SetWaiting(true) shows the start page waiting for another installer: the line
//      "waiting_txt" shows kWaitingForOtherRunText and the page's action button (install or
//      uninstall) is unavailable, so nothing starts while the other run works on the same
//      folders; SetWaiting(false) hides the line and gives the button back its own state.
//  FH7. A task given to WhenFirstPainted runs once, at the first paint, after the first
//      layout and before the frame is drawn.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "installer/product_constants.h"
#include "ui/core/window_impl_base.h"

namespace vireo {

inline constexpr wchar_t kFrameSkinFolder[] = L"frame";

class CUIFrame : public ui::WindowImplBase {
 public:
  void ShowToForeground();  // FH3
  void SetWaiting(bool waiting);  // FH6
  bool IsWaiting() const;
  void WhenFirstPainted(std::function<void()> task) { first_painted_ = std::move(task); }  // FH7
  // The driver's failure, handed over by the main thread.
  virtual void OnInstallFailed(const std::wstring& failure_text) = 0;

 protected:
  std::wstring GetWindowClassName() const override { return kFrameClassName; }
  std::wstring GetSkinFolder() const override { return kFrameSkinFolder; }
  std::wstring GetSkinFile() const override { return L"UIFrame.xml"; }
  void OnFinalMessage(HWND hwnd) override;  // FH4
  void OnInitLayout() override;  // FH7

  // The system frame and the minimise buttons (FH2); windows call it from InitWindow.
  void InitFrame();
  void BindClick(const wchar_t* name, ui::EventCallback handler);  // FH1
  void ShowBox(const wchar_t* name, bool visible);
  bool IsShowing(const wchar_t* name) const;
  void SetLabelText(const wchar_t* name, const std::wstring& text);
  void ShowMessage(const std::wstring& text, UINT icon);
  void ReportFailure(std::wstring text, const wchar_t* log_format);  // FH5
  // The log's path as the boxes show it; empty when no log file could be opened.
  static std::wstring LogPath();
  // Shown as the title bar and the caption of every box.
  virtual const wchar_t* Title() const = 0;
  // Makes the start page's action button available or not, as the page would without
  // waiting when |waiting| is false (FH6).
  virtual void EnableStartAction(bool waiting) = 0;

 private:
  std::function<void()> first_painted_;
};

}  // namespace vireo
