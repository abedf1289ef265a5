// What Enter and Esc do on the install window, decided from which pages are showing.
//
//  - A focused push button or link takes Enter itself, as on Windows (the folder button
//    opens the picker, a link its page); the window's own Enter below does nothing then.
//  - Completion view showing: Enter starts the browser as "btn_trynow" does when that
//    button is visible and enabled; otherwise nothing.
//  - Else, the progress page showing (installing, or after a failure): nothing.
//  - Else, the start page showing with an enabled install button: Enter starts the
//    install; a cleared agreement check box (disabled button) means nothing, also when the
//    check box has the focus (Enter never toggles it).
//  - Esc on the start page closes the window as its close button does; on the later pages
//    it does nothing, so a stray Esc never abandons a running or finished install.
#pragma once

namespace vireo {

struct InstallPageState {
  bool complete_visible = false;     // "complete" exists and is visible
  bool try_now_usable = false;       // "btn_trynow" exists, visible and enabled
  bool installing_visible = false;   // "installing" exists and is visible
  bool install_visible = false;      // "install" exists and is visible
  bool install_button_usable = false;  // "btn_install" exists and is enabled
  bool focus_takes_enter = false;      // the focused control acts on Enter itself
};

enum class EnterAction { kNone, kTryNow, kStartInstall };

EnterAction DecideEnterKey(const InstallPageState& state);

enum class EscapeAction { kNone, kClose };

EscapeAction DecideEscapeKey(const InstallPageState& state);

}  // namespace vireo
