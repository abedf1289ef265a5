// Text helpers shared by every module: UTF-8 at the edges, ASCII-only case folding
// (file and process names are compared with the letters A to Z folded, nothing else).
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// Converts UTF-8 to UTF-16. Invalid sequences become U+FFFD (the system converter's
// replacement), so malformed input never fails or truncates the conversion.
std::wstring Utf8ToWide(std::string_view utf8);

// Converts UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

inline wchar_t AsciiToLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c + (L'a' - L'A') : c; }

std::wstring AsciiLowered(std::wstring_view s);

// Compares with only A-Z folded; returns <0, 0, >0 like wcscmp.
int CompareIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);
bool StartsWithIgnoreAsciiCase(std::wstring_view s, std::wstring_view prefix);

// Strict-weak "less" for ordered containers keyed case-insensitively.
struct LessIgnoreAsciiCase {
  bool operator()(std::wstring_view a, std::wstring_view b) const {
    return CompareIgnoreAsciiCase(a, b) < 0;
  }
};

}  // namespace vireo
