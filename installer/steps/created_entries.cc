#include "installer/steps/created_entries.h"

#include <windows.h>

#include <algorithm>

#include "support/fixed_path.h"
#include "support/path_predicates.h"
#include "support/string_util.h"

namespace vireo {
namespace {

bool IsSafeRelativeEntry(const std::wstring& entry) {
  if (entry.empty() || entry.find(L"..") != std::wstring::npos) return false;
  if (entry.front() == L'\\' || entry.front() == L'/') return false;
  return entry.find(L':') == std::wstring::npos;
}

// True when a folder between |root| (exclusive) and |full| (exclusive) is a reparse point.
bool HasReparseAncestor(const FixedPath& root, const FixedPath& full) {
  std::wstring path = full.str();
  for (size_t pos = path.rfind(L'\\'); pos != std::wstring::npos && pos > root.size(); pos = path.rfind(L'\\', pos - 1)) {
    path.resize(pos);
    const DWORD attrs = ::GetFileAttributesW(path.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
  }
  return false;
}

}  // namespace

void RemoveCreatedEntries(const wchar_t* folder, const std::vector<std::wstring>& entries) {
  if (!folder || !*folder || !HasPathBelowRoot(folder) || entries.empty()) return;
  FixedPath root;
  if (!root.Assign(folder) || !root.AddBackslash()) return;

  // Longest first, so entries go before the folders that hold them.
  std::vector<std::wstring> order(entries);
  std::sort(order.begin(), order.end(), [](const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return a.size() > b.size();
    return CompareIgnoreAsciiCase(a, b) > 0;
  });

  for (const std::wstring& entry : order) {
    if (!IsSafeRelativeEntry(entry)) continue;
    FixedPath full = root;
    if (!full.Concat(entry)) continue;
    if (!StartsWithIgnoreAsciiCase(full.view(), root.view())) continue;
    const DWORD attrs = ::GetFileAttributesW(full.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) continue;
    if (HasReparseAncestor(root, full)) continue;
    if (!(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
      ::RemoveDirectoryW(full.c_str());
    } else {
      ::DeleteFileW(full.c_str());
    }
  }
}

}  // namespace vireo
