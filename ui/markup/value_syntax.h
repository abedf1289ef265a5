// The value syntaxes that skin attributes share. Every reader takes a view and never reads
// past its end; none needs a terminator.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ui {

// True only for the exact text "true".
bool ParseBool(std::wstring_view text);

// Leading whitespace (code <= 32), an optional sign, then decimal digits up to the first
// non-digit; no digits read as 0. Values beyond 32 bits clamp to INT_MIN / INT_MAX while
// every digit is still consumed. |consumed| (optional) receives the characters read.
int ParseInt(std::wstring_view text, size_t* consumed = nullptr);

// left,top,right,bottom and width,height: each number is read (ParseInt) after skipping
// the one character that followed the previous number; missing numbers are 0.
RECT ParseRect(std::wstring_view text);
SIZE ParseSize(std::wstring_view text);

// A TextColor value "#AARRGGBB": the text after its first character read as hexadecimal up
// to the first non-hex digit (no digits: 0; beyond 32 bits: 0xFFFFFFFF). An empty value is
// no colour (nullopt).
std::optional<uint32_t> ParseColorValue(std::wstring_view text);

// A colour name as written in an attribute: leading whitespace skipped.
std::wstring_view ColorName(std::wstring_view text);

}  // namespace ui
