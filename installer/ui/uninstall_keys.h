// What Esc and Enter do on the uninstall window, decided from the page showing and the
// keyboard focus. Deleting a browser is not undone, so no key reaches the uninstall by
// accident: only a deliberate focus on its button.
//
//  UK1. Start page ("uninstall" showing): Esc cancels (the window closes, nothing changed);
//       Enter starts the uninstall only while "btn_uninstall" has the keyboard focus.
//  UK2. Completion view ("complete" showing): Enter closes the window.
//  UK3. Otherwise (the uninstall running, or after a failure), and for every other key:
//       nothing.
#pragma once

namespace vireo {

struct UninstallPageState {
  bool start_visible = false;       // "uninstall" exists and is visible
  bool uninstall_focused = false;   // "btn_uninstall" has the keyboard focus
  bool complete_visible = false;    // "complete" exists and is visible
};

enum class UninstallKeyAction { kNone, kCancel, kStartUninstall, kClose };

UninstallKeyAction DecideUninstallKey(unsigned virtual_key, const UninstallPageState& state);

}  // namespace vireo
