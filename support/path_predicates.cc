#include "support/path_predicates.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

#include "support/fixed_path.h"

namespace vireo {

bool HasPathBelowRoot(const wchar_t* path) {
  if (!path || !*path) return false;
  FixedPath copy;
  if (!copy.Assign(path)) return false;
  for (wchar_t* p = copy.data(); *p; ++p) {
    if (*p == L'/') *p = L'\\';
  }
  ::PathRemoveBackslashW(copy.data());
  if (::PathIsRelativeW(copy.c_str()) || ::PathIsRootW(copy.c_str())) return false;
  const wchar_t* rest = ::PathSkipRootW(copy.c_str());
  return rest && *rest;
}

bool IsInstallDir(const wchar_t* path) {
  if (!path || !*path || std::wcslen(path) > kMaxPathChars) return false;
  if (!::PathIsDirectoryW(path)) return false;
  static constexpr const wchar_t* kNames[] = {L"vireo.exe", L"new_vireo.exe", L"old_vireo.exe"};
  for (const wchar_t* name : kNames) {
    wchar_t candidate[MAX_PATH];
    // PathCombineW fails (null) when the result would not fit: then nothing can be there
    // that a 260-character path could reach.
    if (::PathCombineW(candidate, path, name) && ::PathFileExistsW(candidate)) return true;
  }
  return false;
}

}  // namespace vireo
