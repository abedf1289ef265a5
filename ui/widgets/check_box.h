// A button with a selected flag and a second set of state images, state colours and a text
// colour used while selected.
//
//  CK1. Selected(flag, raise): nothing when the flag is equal; otherwise it is stored, then,
//      when |raise| is true and the check box has a window, kEventSelect (flag true) or
//      kEventUnSelect (flag false) is delivered with the check box as sender, then it
//      repaints unless a handler destroyed it.
//  CK2. Activate acts only when visible and enabled: Selected(!selected, true). A check box
//      never raises kEventClick.
//  CK3. The "selected" attribute calls Selected with raise true.
//  CK4. While selected, the selected image sets replace the normal ones with the same state
//      rules (state_image.h); a check box with no selected image at all keeps painting its
//      normal ones. The selected state colour of the state is filled when set, else the
//      normal state colour. The text uses "selectedtextcolor" when set, else it paints like
//      a label.
//  CK5. To screen readers a check box is a check button, checked while selected; each change
//      of the flag raises a state change. Without a name of its own (text or "accname") it is
//      named by the texts that follow it in its row, the sentence a sighted user reads
//      beside it.
#pragma once

#include <string>

#include "ui/core/state_image.h"
#include "ui/widgets/button.h"

namespace ui {

template <typename InheritBase = Control>
class CheckBoxTemplate : public ButtonTemplate<InheritBase> {
 public:
  CheckBoxTemplate() = default;

  std::wstring GetType() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void ClearImageCache() override;

  bool IsSelected() const { return selected_; }
  void Selected(bool selected, bool raise_event = false);  // CK1
  bool Activate() override;                               // CK2
  std::wstring GetAccessibleName() const override;         // CK5
  ControlFacts GetFacts() const override;                  // CK5

  const std::wstring& GetSelectedTextColor() const { return selected_text_color_; }
  void SetSelectedTextColor(const std::wstring& name);
  void SetSelectedStateImage(ControlState state, const std::wstring& descriptor);
  void SetSelectedForeStateImage(ControlState state, const std::wstring& descriptor);
  void SetSelectedStateColor(ControlState state, const std::wstring& name);

 protected:
  ControlRole DefaultRole() const override { return ControlRole::kCheckButton; }
  void PaintStatusColor(IRenderContext* render) override;  // CK4
  void PaintStatusImage(IRenderContext* render) override;  // CK4
  void PaintText(IRenderContext* render) override;         // CK4

 private:
  bool selected_ = false;
  StateImageMap selected_images_;
  StateColorMap selected_colors_;
  std::wstring selected_text_color_;
};

using CheckBox = CheckBoxTemplate<Control>;
using CheckBoxBox = CheckBoxTemplate<Box>;

}  // namespace ui
