// A label that raises kEventClick when activated.
//
//  U1. Text style kButtonTextStyle (centred both ways); a button takes the keyboard focus.
//  U2. Activate acts only when visible and enabled: it delivers kEventClick with the button
//      as sender, which runs its click handlers; a handler may destroy the button.
//  U3. A key-down on a button that can take the focus activates it when its role answers to
//      that key (control_role.h, RL3: Space and Enter for a push button or a link, Space
//      only for a check box); every other event goes to the control base.
//  U4. A button is a push button to screen readers unless the skin makes it a link.
#pragma once

#include "ui/widgets/label.h"

namespace ui {

template <typename InheritBase = Control>
class ButtonTemplate : public LabelTemplate<InheritBase> {
 public:
  ButtonTemplate();

  std::wstring GetType() const override;
  bool Activate() override;  // U2
  bool IsTabStop() const override { return true; }

 protected:
  ControlRole DefaultRole() const override { return ControlRole::kPushButton; }  // U4

  void HandleMessage(EventArgs& args) override;  // U3
};

using Button = ButtonTemplate<Control>;
using ButtonBox = ButtonTemplate<Box>;

}  // namespace ui
