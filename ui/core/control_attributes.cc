// Control's skin attributes.
#include <map>

#include "ui/core/attribute_values.h"
#include "ui/core/control.h"
#include "ui/core/control_kinds.h"
#include "ui/core/layout.h"
#include "ui/core/window.h"
#include "ui/markup/attribute_list.h"
#include "ui/markup/class_table.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

// A class may name classes in turn; a cycle must end somewhere.
constexpr int kMaxClassNesting = 8;
int g_class_nesting = 0;  // UI thread only

bool IsTrue(const std::wstring& value) { return ParseBool(value); }

// Attributes of state images and colours: name -> (foreground?, state).
struct StateSlot {
  bool fore;
  ControlState state;
};
const std::map<std::wstring, StateSlot>& StateImageNames() {
  static const std::map<std::wstring, StateSlot> names = {
      {L"normalimage", {false, kControlStateNormal}},
      {L"hotimage", {false, kControlStateHot}},
      {L"pushedimage", {false, kControlStatePushed}},
      {L"disabledimage", {false, kControlStateDisabled}},
      {L"forenormalimage", {true, kControlStateNormal}},
      {L"forehotimage", {true, kControlStateHot}},
      {L"forepushedimage", {true, kControlStatePushed}},
      {L"foredisabledimage", {true, kControlStateDisabled}},
  };
  return names;
}
const std::map<std::wstring, ControlState>& StateColorNames() {
  static const std::map<std::wstring, ControlState> names = {
      {L"normalcolor", kControlStateNormal},
      {L"hotcolor", kControlStateHot},
      {L"pushedcolor", kControlStatePushed},
      {L"disabledcolor", kControlStateDisabled},
  };
  return names;
}

}  // namespace

void Control::ApplyAttribute(const std::wstring& name, const std::wstring& value) {
  scaled_attributes_.Apply(name, value, [this](const std::wstring& n, const std::wstring& v) { SetAttribute(n, v); });
}

void Control::RescaleForDpi() {
  scaled_attributes_.ApplyAgain([this](const std::wstring& n, const std::wstring& v) { SetAttribute(n, v); });
  // Fonts and images changed size too: what was estimated before is stale.
  Arrange();
}

void Control::ApplyAttributeList(const std::wstring& list) {
  ForEachListedAttribute(list, [this](std::wstring_view name, std::wstring_view value) {
    ApplyAttribute(std::wstring(name), std::wstring(value));
  });
}

void Control::SetClass(const std::wstring& class_names) {
  if (g_class_nesting >= kMaxClassNesting) return;
  ++g_class_nesting;
  const ClassTable* window_classes =
      GetWindow() != nullptr ? &GetWindow()->GetClassTable() : nullptr;
  ApplyClasses(class_names, GlobalManager::Get().definitions().classes, window_classes,
               [this](std::wstring_view name, std::wstring_view value) {
                 ApplyAttribute(std::wstring(name), std::wstring(value));
               });
  --g_class_nesting;
}

bool Control::SetGeometryAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"width" || name == L"height") {
    if (const std::optional<int> rule = ReadSizeRule(value)) {
      if (name == L"width") {
        SetFixedWidth(*rule);
      } else {
        SetFixedHeight(*rule);
      }
    }
  } else if (name == L"minwidth") {
    SetMinWidth(ParseInt(value) < 0 ? -1 : ReadScaledLength(value));
  } else if (name == L"minheight") {
    SetMinHeight(ParseInt(value) < 0 ? -1 : ReadScaledLength(value));
  } else if (name == L"maxwidth") {
    SetMaxWidth(ParseInt(value) < 0 ? -1 : ReadScaledLength(value));
  } else if (name == L"maxheight") {
    SetMaxHeight(ParseInt(value) < 0 ? -1 : ReadScaledLength(value));
  } else if (name == L"margin") {
    SetMargin(ReadScaledInsets(value));
  } else if (name == L"halign") {
    if (value == L"left") SetHorAlign(HorAlign::kLeft);
    if (value == L"center") SetHorAlign(HorAlign::kCenter);
    if (value == L"right") SetHorAlign(HorAlign::kRight);
  } else if (name == L"valign") {
    if (value == L"top") SetVerAlign(VerAlign::kTop);
    if (value == L"center") SetVerAlign(VerAlign::kCenter);
    if (value == L"bottom") SetVerAlign(VerAlign::kBottom);
  } else if (name == L"float") {
    SetFloat(IsTrue(value));
  } else {
    return false;
  }
  return true;
}

bool Control::SetStateAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == kVisibleAttribute) {
    SetVisible(IsTrue(value));
  } else if (name == L"enabled") {
    SetEnabled(IsTrue(value));
  } else if (name == L"mouse") {
    SetMouseEnabled(IsTrue(value));
  } else if (name == L"keyboard") {
    SetKeyboardEnabled(IsTrue(value));
  } else if (name == L"nofocus") {
    SetNoFocus(IsTrue(value));
  } else if (name == L"accname") {
    SetAccessibleName(value);
  } else if (name == L"accrole") {
    SetRole(ParseControlRole(value, GetRole()));
  } else if (name == L"alpha") {
    SetAlpha(ParseInt(value));
  } else if (name == L"state") {
    if (value == L"disabled") {
      SetEnabled(false);
    } else {
      SetEnabled(true);
      if (value == L"hot") SetState(kControlStateHot);
      if (value == L"pushed") SetState(kControlStatePushed);
    }
  } else if (name == L"cursortype") {
    if (value == L"arrow") SetCursorType(CursorType::kArrow);
    if (value == L"hand") SetCursorType(CursorType::kHand);
    if (value == L"ibeam") SetCursorType(CursorType::kIBeam);
  } else {
    return false;
  }
  return true;
}

bool Control::SetPaintAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"bkcolor") {
    SetBkColor(std::wstring(ColorName(value)));
  } else if (name == kBkImageAttribute) {
    SetBkImage(value);
  } else if (auto image = StateImageNames().find(name); image != StateImageNames().end()) {
    if (image->second.fore) {
      SetForeStateImage(image->second.state, value);
    } else {
      SetStateImage(image->second.state, value);
    }
  } else if (auto color = StateColorNames().find(name); color != StateColorNames().end()) {
    SetStateColor(color->second, std::wstring(ColorName(value)));
  } else if (name == L"bordercolor") {
    border_color_ = std::wstring(ColorName(value));
    Invalidate();
  } else if (name == L"bordersize") {
    const int size = ReadScaledLength(value);
    border_size_ = value.find(L',') != std::wstring::npos ? ReadScaledInsets(value)
                                                          : RECT{size, size, size, size};
    Invalidate();
  } else if (name == L"leftbordersize") {
    border_size_.left = ReadScaledLength(value);
  } else if (name == L"topbordersize") {
    border_size_.top = ReadScaledLength(value);
  } else if (name == L"rightbordersize") {
    border_size_.right = ReadScaledLength(value);
  } else if (name == L"bottombordersize") {
    border_size_.bottom = ReadScaledLength(value);
  } else {
    return false;
  }
  return true;
}

void Control::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == kClassAttribute) {
    SetClass(value);
  } else if (name == L"name") {
    SetName(value);
  } else if (SetGeometryAttribute(name, value) || SetStateAttribute(name, value) ||
             SetPaintAttribute(name, value)) {
    return;
  } else if (name == L"dataid") {
    data_id_ = value;
  }
  // Anything else is ignored: attributes of features this toolkit leaves out (tooltips, fade
  // animations, menus, pointer input) and names no control knows.
}

bool Layout::SetAttribute(const std::wstring& name, const std::wstring& value) {
  if (name == L"padding") {
    SetPadding(ReadScaledInsets(value));
    return true;
  }
  if (name == L"childmargin") {
    SetChildMargin(ReadScaledLength(value));
    return true;
  }
  return false;
}

}  // namespace ui
