// What Enter does on the install window, decided from which pages are showing.
//
//  - Completion view showing: Enter starts the browser as "btn_trynow" does when that
//    button is visible and enabled; otherwise nothing.
//  - Else, the progress page showing (installing, or after a failure): nothing.
//  - Else, the start page showing with an enabled install button: Enter starts the
//    install; a cleared agreement check box (disabled button) means nothing.
#pragma once

namespace vireo {

struct InstallPageState {
  bool complete_visible = false;     // "complete" exists and is visible
  bool try_now_usable = false;       // "btn_trynow" exists, visible and enabled
  bool installing_visible = false;   // "installing" exists and is visible
  bool install_visible = false;      // "install" exists and is visible
  bool install_button_usable = false;  // "btn_install" exists and is enabled
};

enum class EnterAction { kNone, kTryNow, kStartInstall };

EnterAction DecideEnterKey(const InstallPageState& state);

}  // namespace vireo
