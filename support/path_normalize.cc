#include "support/path_normalize.h"

#include <windows.h>

#include "support/fixed_path.h"

namespace vireo {

std::wstring LongPathForm(const wchar_t* path, size_t capacity) {
  wchar_t buffer[kPathCapacity];
  if (!path || !*path || capacity > kPathCapacity) return {};
  const DWORD n = ::GetLongPathNameW(path, buffer, static_cast<DWORD>(capacity));
  if (n == 0 || n >= capacity) return {};
  return std::wstring(buffer, n);
}

std::wstring NormalizePath(const wchar_t* path) {
  if (!path) return {};
  return NormalizePath(std::wstring_view(path));
}

std::wstring NormalizePath(std::wstring_view path) {
  FixedPath in;
  if (path.empty() || !in.Assign(path)) return {};
  FixedPath out(LongPathForm(in.c_str(), kPathCapacity));
  if (out.empty()) out = in;
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
