#include "installer/ui/uninstall_keys.h"

#include <windows.h>

namespace vireo {

UninstallKeyAction DecideUninstallKey(unsigned virtual_key, const UninstallPageState& state) {
  if (state.start_visible) {
    if (virtual_key == VK_ESCAPE) return UninstallKeyAction::kCancel;
    if (virtual_key == VK_RETURN && state.uninstall_focused) return UninstallKeyAction::kStartUninstall;
    return UninstallKeyAction::kNone;
  }
  if (state.complete_visible && virtual_key == VK_RETURN) return UninstallKeyAction::kClose;
  return UninstallKeyAction::kNone;
}

}  // namespace vireo
