// The names of control kinds: the skin's element names, and what Control::GetType answers.
// The window host's caption hit-test and the builder compare against these; widgets answer
// them from GetType. One home for every name, so a widget and the host cannot disagree.
#pragma once

#include <string_view>

namespace ui {

inline constexpr wchar_t kControlKind[] = L"Control";
inline constexpr wchar_t kBoxKind[] = L"Box";
inline constexpr wchar_t kHBoxKind[] = L"HBox";
inline constexpr wchar_t kVBoxKind[] = L"VBox";

// Widget kinds (made by ui_widgets and registered with the builder's factory at start-up).
inline constexpr wchar_t kLabelKind[] = L"Label";
inline constexpr wchar_t kLabelBoxKind[] = L"LabelBox";
inline constexpr wchar_t kButtonKind[] = L"Button";
inline constexpr wchar_t kButtonBoxKind[] = L"ButtonBox";
inline constexpr wchar_t kCheckBoxKind[] = L"CheckBox";
inline constexpr wchar_t kCheckBoxBoxKind[] = L"CheckBoxBox";
inline constexpr wchar_t kProgressKind[] = L"Progress";
inline constexpr wchar_t kRichEditKind[] = L"RichEdit";

// Skin elements that the control-tree builder treats itself.
inline constexpr wchar_t kIncludeElement[] = L"Include";
inline constexpr wchar_t kWindowElement[] = L"Window";
inline constexpr wchar_t kClassElement[] = L"Class";
inline constexpr wchar_t kFontElement[] = L"Font";
inline constexpr wchar_t kTextColorElement[] = L"TextColor";
inline constexpr wchar_t kImageElement[] = L"Image";
inline constexpr wchar_t kEventElement[] = L"Event";
inline constexpr wchar_t kBubbledEventElement[] = L"BubbledEvent";

// Elements that hold definitions (fonts, images, classes, colours), not controls.
constexpr bool IsDefinitionElement(std::wstring_view name) {
  return name == kFontElement || name == kImageElement || name == kClassElement || name == kTextColorElement;
}

// Elements that never become controls: the definitions, includes and event bindings.
constexpr bool IsNonControlElement(std::wstring_view name) {
  return IsDefinitionElement(name) || name == kIncludeElement || name == kEventElement ||
         name == kBubbledEventElement;
}

// Attributes the look-ahead for a window's backgrounds (skin_prefetch.h) reads besides the
// controls themselves.
inline constexpr wchar_t kBkImageAttribute[] = L"bkimage";
inline constexpr wchar_t kClassAttribute[] = L"class";
inline constexpr wchar_t kVisibleAttribute[] = L"visible";

}  // namespace ui
