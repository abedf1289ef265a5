#include "ui/widgets/text_colors.h"

#include "ui/markup/global_manager.h"

namespace ui {

const std::wstring& TextColors::ForState(ControlState state) const {
  if (state == kControlStatePushed && names_[state].empty()) state = kControlStateHot;
  if (names_[state].empty()) state = kControlStateNormal;
  return names_[state];
}

uint32_t ResolveColor(const std::wstring& name) {
  if (name.empty()) return 0;
  return GlobalManager::Get().definitions().colors.Get(name);
}

}  // namespace ui
