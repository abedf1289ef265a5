// The DrawText style bits of a label and the attributes that edit them.
//
//  - "align" is searched for words in this order, each found word editing the style:
//    "left" clears DT_CENTER, DT_RIGHT, DT_VCENTER and DT_SINGLELINE; "center" clears
//    DT_RIGHT and sets DT_CENTER; "right" clears DT_CENTER, DT_VCENTER and DT_SINGLELINE and
//    sets DT_RIGHT; "top" clears DT_VCENTER and DT_BOTTOM and sets DT_SINGLELINE; "vcenter"
//    clears DT_BOTTOM and sets DT_CENTER, DT_VCENTER and DT_SINGLELINE; "bottom" clears
//    DT_VCENTER and sets DT_BOTTOM and DT_SINGLELINE. The words are substrings, so "vcenter"
//    also counts as "center", and "left vcenter" ends centred both ways.
//  - "endellipsis" "true" sets DT_END_ELLIPSIS; any other value clears it.
//  - When measuring and drawing, DT_SINGLELINE is replaced by the label's single-line flag.
#pragma once

#include <windows.h>

#include <string_view>

namespace ui {

inline constexpr UINT kLabelTextStyle = DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS;  // 0x8120
inline constexpr UINT kButtonTextStyle = kLabelTextStyle | DT_CENTER | DT_VCENTER;    // 0x8125
inline constexpr UINT kProgressTextStyle = DT_CENTER | DT_SINGLELINE;                 // 0x21

// Text attribute names that labels and the edit box share.
inline constexpr wchar_t kTextAttribute[] = L"text";
inline constexpr wchar_t kTextIdAttribute[] = L"textid";
inline constexpr wchar_t kFontAttribute[] = L"font";
inline constexpr wchar_t kNormalTextColorAttribute[] = L"normaltextcolor";
inline constexpr wchar_t kDisabledTextColorAttribute[] = L"disabledtextcolor";

UINT ApplyAlign(UINT style, std::wstring_view align);
UINT ApplyEndEllipsis(UINT style, std::wstring_view value);
UINT EffectiveTextStyle(UINT style, bool single_line);

}  // namespace ui
