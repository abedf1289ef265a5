#include "ui/widgets/button.h"

#include <type_traits>

#include "ui/core/control_kinds.h"
#include "ui/widgets/text_style.h"

namespace ui {

template <typename InheritBase>
ButtonTemplate<InheritBase>::ButtonTemplate() {
  this->SetTextStyle(kButtonTextStyle);
}

template <typename InheritBase>
std::wstring ButtonTemplate<InheritBase>::GetType() const {
  return std::is_base_of_v<Box, InheritBase> ? kButtonBoxKind : kButtonKind;
}

template <typename InheritBase>
bool ButtonTemplate<InheritBase>::Activate() {
  if (!this->IsActivatable()) return false;
  this->HandleMessageTemplate(kEventClick);  // may destroy this button: nothing follows
  return true;
}

template <typename InheritBase>
void ButtonTemplate<InheritBase>::HandleMessage(EventArgs& args) {
  if (args.type == kEventKeyDown && ActivatesOnKey(this->GetRole(), args.key) && this->CanGetFocus()) {
    Activate();
    return;
  }
  LabelTemplate<InheritBase>::HandleMessage(args);
}

template class ButtonTemplate<Control>;
template class ButtonTemplate<Box>;

}  // namespace ui
