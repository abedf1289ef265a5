#include "support/string_util.h"

#include <windows.h>

#include <climits>

namespace vireo {

std::wstring Utf8ToWide(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX / 4) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

std::wstring AsciiLowered(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = AsciiToLower(c);
  return out;
}

int CompareIgnoreAsciiCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const wchar_t x = AsciiToLower(a[i]);
    const wchar_t y = AsciiToLower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareIgnoreAsciiCase(a, b) == 0;
}

bool StartsWithIgnoreAsciiCase(std::wstring_view s, std::wstring_view prefix) {
  return s.size() >= prefix.size() && CompareIgnoreAsciiCase(s.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace vireo
