#include "ui/widgets/check_box.h"

#include <type_traits>

#include "ui/core/control_kinds.h"
#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

// "selected" + a state image or colour attribute of the control base.
struct SelectedSlot {
  const wchar_t* name;
  enum Kind { kImage, kForeImage, kColor } kind;
  ControlState state;
};
constexpr SelectedSlot kSelectedSlots[] = {
    {L"selectednormalimage", SelectedSlot::kImage, kControlStateNormal},
    {L"selectedhotimage", SelectedSlot::kImage, kControlStateHot},
    {L"selectedpushedimage", SelectedSlot::kImage, kControlStatePushed},
    {L"selecteddisabledimage", SelectedSlot::kImage, kControlStateDisabled},
    {L"selectedforenormalimage", SelectedSlot::kForeImage, kControlStateNormal},
    {L"selectedforehotimage", SelectedSlot::kForeImage, kControlStateHot},
    {L"selectedforepushedimage", SelectedSlot::kForeImage, kControlStatePushed},
    {L"selectedforedisabledimage", SelectedSlot::kForeImage, kControlStateDisabled},
    {L"selectednormalcolor", SelectedSlot::kColor, kControlStateNormal},
    {L"selectedhotcolor", SelectedSlot::kColor, kControlStateHot},
    {L"selectedpushedcolor", SelectedSlot::kColor, kControlStatePushed},
    {L"selecteddisabledcolor", SelectedSlot::kColor, kControlStateDisabled},
};

}  // namespace

template <typename InheritBase>
std::wstring CheckBoxTemplate<InheritBase>::GetType() const {
  return std::is_base_of_v<Box, InheritBase> ? kCheckBoxBoxKind : kCheckBoxKind;
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::SetAttribute(const std::wstring& name,
                                                 const std::wstring& value) {
  if (name == L"selected") {
    Selected(ParseBool(value), true);
    return;
  }
  if (name == L"selectedtextcolor") {
    SetSelectedTextColor(std::wstring(ColorName(value)));
    return;
  }
  for (const SelectedSlot& slot : kSelectedSlots) {
    if (name != slot.name) continue;
    switch (slot.kind) {
      case SelectedSlot::kImage:
        SetSelectedStateImage(slot.state, value);
        break;
      case SelectedSlot::kForeImage:
        SetSelectedForeStateImage(slot.state, value);
        break;
      case SelectedSlot::kColor:
        SetSelectedStateColor(slot.state, std::wstring(ColorName(value)));
        break;
    }
    return;
  }
  ButtonTemplate<InheritBase>::SetAttribute(name, value);
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::ClearImageCache() {
  ButtonTemplate<InheritBase>::ClearImageCache();
  selected_images_.background.ClearCache();
  selected_images_.foreground.ClearCache();
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::Selected(bool selected, bool raise_event) {
  if (selected == selected_) return;
  selected_ = selected;
  this->NotifyAccessible(EVENT_OBJECT_STATECHANGE);
  if (raise_event && this->GetWindow() != nullptr) {
    const std::weak_ptr<corekit::WeakFlag> alive = this->GetWeakFlag();
    this->HandleMessageTemplate(selected ? kEventSelect : kEventUnSelect);
    if (alive.expired()) return;  // a handler destroyed this check box
  }
  this->Invalidate();
}

template <typename InheritBase>
std::wstring CheckBoxTemplate<InheritBase>::GetAccessibleName() const {
  std::wstring name = ButtonTemplate<InheritBase>::GetAccessibleName();
  const Box* row = this->GetParent();
  if (!name.empty() || row == nullptr) return name;
  const int at = row->GetItemIndex(this);
  for (size_t i = static_cast<size_t>(at) + 1; at >= 0 && i < row->GetCount(); ++i) {
    const Control* next = row->GetItemAt(i);
    if (next->IsVisible()) name += next->GetAccessibleName();
  }
  return name;
}

template <typename InheritBase>
ControlFacts CheckBoxTemplate<InheritBase>::GetFacts() const {
  ControlFacts facts = ButtonTemplate<InheritBase>::GetFacts();
  facts.checked = selected_;
  return facts;
}

template <typename InheritBase>
bool CheckBoxTemplate<InheritBase>::Activate() {
  if (!this->IsActivatable()) return false;
  Selected(!selected_, true);
  return true;
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::SetSelectedTextColor(const std::wstring& name) {
  selected_text_color_ = name;
  this->Invalidate();
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::SetSelectedStateImage(ControlState state,
                                                          const std::wstring& descriptor) {
  selected_images_.background.Get(state).SetDescriptor(descriptor);
  this->Invalidate();
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::SetSelectedForeStateImage(ControlState state,
                                                              const std::wstring& descriptor) {
  selected_images_.foreground.Get(state).SetDescriptor(descriptor);
  this->Invalidate();
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::SetSelectedStateColor(ControlState state,
                                                          const std::wstring& name) {
  selected_colors_.Set(state, name);
  this->Invalidate();
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::PaintStatusColor(IRenderContext* render) {
  const std::wstring& color = selected_colors_.Get(this->GetState());
  if (!selected_ || color.empty()) {
    ButtonTemplate<InheritBase>::PaintStatusColor(render);
    return;
  }
  this->FillWithColor(render, color);
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::PaintStatusImage(IRenderContext* render) {
  if (!selected_ || (!selected_images_.background.HasImage() &&
                     !selected_images_.foreground.HasImage())) {
    ButtonTemplate<InheritBase>::PaintStatusImage(render);
    return;
  }
  const DrawImageFn draw = [this, render](Image& image, int fade) {
    return this->DrawImage(render, image, L"", fade);
  };
  const ControlState state = this->GetState();
  const int hot_alpha = this->GetHotAlpha();
  const bool fade = this->HasHotAnimation();
  selected_images_.background.Paint(state, hot_alpha, fade, draw);
  selected_images_.foreground.Paint(state, hot_alpha, fade, draw);
}

template <typename InheritBase>
void CheckBoxTemplate<InheritBase>::PaintText(IRenderContext* render) {
  if (!selected_ || selected_text_color_.empty()) {
    ButtonTemplate<InheritBase>::PaintText(render);
    return;
  }
  const std::wstring text = this->GetText();
  if (!text.empty()) this->DrawTextIn(render, text, selected_text_color_, 255);
}

template class CheckBoxTemplate<Control>;
template class CheckBoxTemplate<Box>;

}  // namespace ui
