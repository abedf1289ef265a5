#include "ui/markup/text_encoding.h"

#include <windows.h>

#include <climits>

namespace ui {
namespace {

std::wstring FromCodePage(UINT code_page, const char* bytes, size_t size) {
  if (size == 0 || size > INT_MAX) return {};
  const int count = ::MultiByteToWideChar(code_page, 0, bytes, static_cast<int>(size), nullptr, 0);
  if (count <= 0) return {};
  std::wstring out(static_cast<size_t>(count), L'\0');
  ::MultiByteToWideChar(code_page, 0, bytes, static_cast<int>(size), out.data(), count);
  return out;
}

std::wstring FromUtf16(const uint8_t* bytes, size_t size, bool big_endian) {
  std::wstring out(size / 2, L'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    const uint8_t first = bytes[2 * i];
    const uint8_t second = bytes[2 * i + 1];
    out[i] = static_cast<wchar_t>(big_endian ? (first << 8) | second : (second << 8) | first);
  }
  return out;
}

}  // namespace

std::wstring DecodeText(const uint8_t* bytes, size_t size, TextEncoding encoding) {
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return FromUtf16(bytes + 2, size - 2, false);
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return FromUtf16(bytes + 2, size - 2, true);
  const char* text = reinterpret_cast<const char*>(bytes);
  if (encoding == TextEncoding::kAnsi) return FromCodePage(CP_ACP, text, size);
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    return FromCodePage(CP_UTF8, text + 3, size - 3);
  }
  return FromCodePage(CP_UTF8, text, size);
}

std::wstring Utf8ToWide(std::string_view utf8) { return FromCodePage(CP_UTF8, utf8.data(), utf8.size()); }

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX / 4) return {};
  const int size = static_cast<int>(wide.size());
  const int count = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string out(static_cast<size_t>(count), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), count, nullptr, nullptr);
  return out;
}

std::string AsciiLowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

}  // namespace ui
