#include "support/path_normalize.h"

#include <windows.h>

#include "support/fixed_path.h"

namespace vireo {

std::wstring NormalizePath(const wchar_t* path) {
  if (!path) return {};
  return NormalizePath(std::wstring_view(path));
}

std::wstring NormalizePath(std::wstring_view path) {
  FixedPath in;
  if (path.empty() || !in.Assign(path)) return {};
  wchar_t long_form[kPathCapacity];
  const DWORD n = ::GetLongPathNameW(in.c_str(), long_form, static_cast<DWORD>(std::size(long_form)));
  FixedPath out;
  if (n == 0 || n >= std::size(long_form) || !out.Assign(std::wstring_view(long_form, n))) out = in;
  for (wchar_t* p = out.data(); *p; ++p) {
    if (*p == L'/') *p = L'\\';
  }
  out.RemoveBackslash();
  return out.str();
}

bool HasDotComponent(std::wstring_view path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of(L"\\/", start);
    if (end == std::wstring_view::npos) end = path.size();
    const std::wstring_view part = path.substr(start, end - start);
    if (part == L"." || part == L"..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace vireo
