// A label that raises kEventClick when activated.
//
//  BN1. Text style kButtonTextStyle (centred both ways); a button takes the keyboard focus.
//  BN2. Activate acts only when visible and enabled: it delivers kEventClick with the button
//      as sender, which runs its click handlers; a handler may destroy the button.
//  BN3. A key-down of Space or Enter on a button that can take the focus activates it; every
//      other event goes to the control base.
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
  void HandleMessage(EventArgs& args) override;  // BN3
};

using Button = ButtonTemplate<Control>;
using ButtonBox = ButtonTemplate<Box>;

}  // namespace ui
