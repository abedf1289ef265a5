#include "installer/steps/folder_snapshot.h"

#include <windows.h>

#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

void ListInto(const FixedPath& root, const std::wstring& prefix, EntrySet& out) {
  FixedPath pattern = root;
  if (!pattern.Append(prefix) || !pattern.Append(L"*")) return;
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) return;
  do {
    const std::wstring_view name(data.cFileName);
    if (name == L"." || name == L"..") continue;
    std::wstring relative = prefix.empty() ? std::wstring(name) : prefix + L"\\" + data.cFileName;
    // An entry whose full path does not fit could not be handled by any later step either.
    FixedPath full = root;
    if (!full.Append(relative)) continue;
    const bool descend = (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                         FILE_ATTRIBUTE_DIRECTORY;
    auto inserted = out.insert(std::move(relative));
    if (descend) ListInto(root, *inserted.first, out);
  } while (::FindNextFileW(find.get(), &data));
}

}  // namespace

EntrySet SnapshotFolder(const wchar_t* folder) {
  EntrySet entries;
  if (!folder || !*folder || !IsDirectoryAt(folder)) return entries;
  FixedPath root;
  if (!root.Assign(folder)) return entries;
  ListInto(root, std::wstring(), entries);
  return entries;
}

std::vector<std::wstring> NewEntries(const EntrySet& before, const EntrySet& after) {
  std::vector<std::wstring> created;
  for (const std::wstring& entry : after) {
    if (before.find(entry) == before.end()) created.push_back(entry);
  }
  return created;
}

}  // namespace vireo
