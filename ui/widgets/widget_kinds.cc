#include "ui/widgets/widget_kinds.h"

#include <memory>

#include "ui/core/control_factory.h"
#include "ui/core/control_kinds.h"
#include "ui/widgets/check_box.h"
#include "ui/widgets/progress.h"
#include "ui/widgets/rich_edit.h"

namespace ui {
namespace {

template <typename T>
std::unique_ptr<Control> Make() {
  return std::make_unique<T>();
}

}  // namespace

void RegisterWidgetKinds() {
  RegisterControlKind(kLabelKind, &Make<Label>);
  RegisterControlKind(kLabelBoxKind, &Make<LabelBox>);
  RegisterControlKind(kButtonKind, &Make<Button>);
  RegisterControlKind(kButtonBoxKind, &Make<ButtonBox>);
  RegisterControlKind(kCheckBoxKind, &Make<CheckBox>);
  RegisterControlKind(kCheckBoxBoxKind, &Make<CheckBoxBox>);
  RegisterControlKind(kProgressKind, &Make<Progress>);
  RegisterControlKind(kRichEditKind, &Make<RichEdit>);
}

}  // namespace ui
