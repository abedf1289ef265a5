// Text at the toolkit's edges: skin files arrive as bytes (UTF-8 by default, UTF-16 with a
// byte-order mark, or the system ANSI code page on request) and archive names are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

enum class TextEncoding {
  kUtf8,  // the default; a leading EF BB BF is skipped
  kAnsi,  // the system ANSI code page
};

// Decodes |size| bytes to UTF-16. A leading FF FE (little-endian) or FE FF (big-endian,
// byte-swapped) makes the bytes UTF-16 whatever |encoding| says; an odd last byte of UTF-16
// is dropped. Invalid UTF-8 becomes U+FFFD; nothing is read outside the bytes.
std::wstring DecodeText(const uint8_t* bytes, size_t size, TextEncoding encoding);

std::wstring Utf8ToWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// Letters A-Z folded to a-z, nothing else (names in the archive are compared that way).
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
std::string AsciiLowered(std::string_view text);

}  // namespace ui
