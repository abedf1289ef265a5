#include "archive/item_path.h"

#include <windows.h>

#include "support/fixed_path.h"
#include "support/string_util.h"

namespace vireo {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// A component that Windows would resolve to the parent folder once trailing dots and
// spaces are dropped.
bool IsParentLikeComponent(std::wstring_view component) {
  size_t dots = 0;
  for (wchar_t c : component) {
    if (c == L'.') {
      ++dots;
    } else if (c != L' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

bool IsContainedItemName(std::wstring_view name) {
  if (name.empty()) return true;
  if (IsSeparator(name[0])) return false;
  if (name.size() >= 2 && name[1] == L':' && IsAsciiLetter(name[0])) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (IsParentLikeComponent(name.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

std::wstring MapItemName(std::wstring_view name, uint32_t index, bool is_dir) {
  if (name.empty() && !is_dir) {
    wchar_t generated[32];
    ::wsprintfW(generated, L"[Content]_%u", index);
    return generated;
  }
  std::wstring mapped(name);
  for (wchar_t& c : mapped) {
    if (c == L'/') {
      c = L'\\';
    } else if (c == L':') {
      c = L'_';
    }
  }
  return mapped;
}

std::wstring JoinItemPath(std::wstring_view destination, std::wstring_view mapped) {
  std::wstring full(destination);
  if (!full.empty() && full.back() != L'\\') full += L'\\';
  full += mapped;
  return full;
}

std::wstring FullPathOf(const std::wstring& path) {
  const wchar_t* text = path.empty() ? L"." : path.c_str();
  DWORD needed = ::GetFullPathNameW(text, 0, nullptr, nullptr);
  if (needed == 0) return std::wstring();
  std::wstring full(needed, L'\0');
  const DWORD len = ::GetFullPathNameW(text, needed, full.data(), nullptr);
  if (len == 0 || len >= needed) return std::wstring();
  full.resize(len);
  return full;
}

bool IsBelowFolder(std::wstring_view root_full, std::wstring_view full, bool allow_equal) {
  if (root_full.empty() || full.empty()) return false;
  const std::wstring root = WithoutTrailingBackslash(root_full);
  const std::wstring path = WithoutTrailingBackslash(full);
  if (allow_equal && EqualsIgnoreAsciiCase(root, path)) return true;
  const std::wstring prefix = WithTrailingBackslash(root);
  return path.size() > prefix.size() && StartsWithIgnoreAsciiCase(path, prefix);
}

void CreateAncestorFolders(const std::wstring& full) {
  const size_t last = full.rfind(L'\\');
  if (last == std::wstring::npos) return;
  for (size_t pos = full.find(L'\\'); pos != std::wstring::npos && pos < last; pos = full.find(L'\\', pos + 1)) {
    ::CreateDirectoryW(full.substr(0, pos).c_str(), nullptr);
  }
  ::CreateDirectoryW(full.substr(0, last).c_str(), nullptr);
}

}  // namespace vireo
