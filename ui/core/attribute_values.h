// Reading skin attribute values that are lengths on screen: parsed with the markup layer's
// value syntaxes, clamped so absurd values cannot overflow, and multiplied by the global DPI
// scale.
//
//  - Lengths are clamped to [0, kLengthLimit] before and after scaling (negative values
//    read as 0), so a value of 2^31 or -5 gives a usable length.
//  - Insets (margin, padding, text padding, border sizes) are four independent lengths and
//    are scaled one by one; rectangles (caption, alpha-fix corner) are scaled as position
//    plus scaled width and height.
//  - Every scaled read is counted (scaled_attributes.h), so the attribute that asked for
//    it is read again when the scale changes.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace ui {

// "auto" -> kLengthAuto, "stretch" -> kLengthStretch, a number >= 0 -> that length scaled
// (clamped); -1 and -2 written as numbers mean stretch and auto; nullopt for numbers below -2.
std::optional<int> ReadSizeRule(std::wstring_view value);
// One length, scaled.
int ReadScaledLength(std::wstring_view value);
// Four lengths, scaled.
RECT ReadScaledInsets(std::wstring_view value);
// A rectangle, scaled.
RECT ReadScaledRect(std::wstring_view value);
// A width,height pair, scaled.
SIZE ReadScaledSize(std::wstring_view value);
// Scales an already clamped length.
int ScaleLength(int length);

}  // namespace ui
