// Percent-encoding of query parameter values.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// Encodes the UTF-8 form of |text|: ASCII letters, digits and "-._~" stay, every other byte
// (space included) becomes "%" and two upper-case hex digits. Empty input gives empty text.
std::wstring UrlEncode(std::wstring_view text);

}  // namespace vireo
