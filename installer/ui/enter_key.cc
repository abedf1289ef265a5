#include "installer/ui/enter_key.h"

namespace vireo {

EnterAction DecideEnterKey(const InstallPageState& state) {
  if (state.focus_takes_enter) return EnterAction::kNone;
  if (state.complete_visible) return state.try_now_usable ? EnterAction::kTryNow : EnterAction::kNone;
  if (state.installing_visible) return EnterAction::kNone;
  if (!state.install_visible || !state.install_button_usable) return EnterAction::kNone;
  return EnterAction::kStartInstall;
}

EscapeAction DecideEscapeKey(const InstallPageState& state) {
  return state.install_visible && !state.installing_visible ? EscapeAction::kClose : EscapeAction::kNone;
}

}  // namespace vireo
