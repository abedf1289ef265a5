// Makes the skin's widget element names known to the control-tree builder.
//
//  - RegisterWidgetKinds registers "Label", "LabelBox", "Button", "ButtonBox", "CheckBox",
//    "CheckBoxBox", "Progress" and "RichEdit" (control_kinds.h) with the builder's
//    factory registry; calling it again changes nothing.
#pragma once

namespace ui {

void RegisterWidgetKinds();

}  // namespace ui
