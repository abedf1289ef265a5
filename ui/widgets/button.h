// A label that raises kEventClick when activated.
//
//  BN1. Text style kButtonTextStyle (centred both ways); a button takes the keyboard focus.
//  BN2. Activate acts only when visible and enabled: it delivers kEventClick with the button
//      as sender, which runs its click handlers; a handler may destroy the button.
//  BN3. A key-down on a button that can take the focus activates it when its role answers to
//      that key (control_role.h, RL3: Space and Enter for a push button or a link, Space
//      only for a check box); every other event goes to the control base.
//  BN4. A button is a push button to screen readers unless the skin makes it a link.
#pragma once

#include "ui/widgets/label.h"

namespace ui {

template <typename InheritBase = Control>
class ButtonTemplate : public LabelTemplate<InheritBase> {
 public:
  ButtonTemplate();

  std::wstring GetType() const override;
  bool Activate() override;  // BN2
  bool IsTabStop() const override { return true; }

 protected:
  ControlRole DefaultRole() const override { return ControlRole::kPushButton; }  // BN4

  void HandleMessage(EventArgs& args) override;  // BN3
};

using Button = ButtonTemplate<Control>;
using ButtonBox = ButtonTemplate<Box>;

}  // namespace ui
