#include "installer/ui/enter_key.h"

namespace vireo {

EnterAction DecideEnterKey(const InstallPageState& state) {
  if (state.complete_visible) return state.try_now_usable ? EnterAction::kTryNow : EnterAction::kNone;
  if (state.installing_visible) return EnterAction::kNone;
  if (!state.install_visible || !state.install_button_usable) return EnterAction::kNone;
  return EnterAction::kStartInstall;
}

}  // namespace vireo
