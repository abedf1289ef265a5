#include "installer/path_check.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

#include "installer/product_constants.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

// One level of listing is enough: the first real entry decides. A listing that cannot be
// opened counts as empty; later steps report their own failures.
bool HasAnyEntry(const wchar_t* folder) {
  std::wstring pattern(folder);
  if (!pattern.empty() && pattern.back() != L'\\') pattern.push_back(L'\\');
  pattern.push_back(L'*');
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) return false;
  do {
    if (std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0) return true;
  } while (::FindNextFileW(find.get(), &data));
  return false;
}

// A run of this installer that was ended while it unpacked leaves the payload's top folder
// behind, possibly before any executable was moved out of it.
bool HoldsUnpackedPayload(const wchar_t* folder) {
  wchar_t top[MAX_PATH];
  return ::PathCombineW(top, folder, kPayloadTopFolderName) && IsDirectoryAt(top);
}

}  // namespace

std::wstring CheckInstallPath(const wchar_t* path) {
  if (!path || !*path) return kPathInvalidMessage;
  if (::PathIsRelativeW(path)) return kPathRelativeMessage;

  // The working copy holds 259 characters; a longer path (after dropping one trailing
  // backslash) cannot be installed to and is refused instead of being cut short.
  const size_t length = std::wcslen(path);
  if (length > MAX_PATH) return kPathInvalidMessage;
  wchar_t work[MAX_PATH + 1];
  std::wmemcpy(work, path, length + 1);
  ::PathRemoveBackslashW(work);
  if (std::wcslen(work) >= MAX_PATH) return kPathInvalidMessage;

  if (::PathIsRootW(work) || !HasPathBelowRoot(work)) return kPathRootMessage;
  if (!PathExistsAt(work)) return {};
  if (!IsDirectoryAt(work)) return kPathNotFolderMessage;
  if (!HasAnyEntry(work)) return {};
  if (IsInstallDir(work) || HoldsUnpackedPayload(work)) return {};
  return kPathForeignFolderMessage;
}

bool IsInstallDir(const wchar_t* path) {
  if (!path || !*path || std::wcslen(path) > kMaxPathChars) return false;
  if (!IsDirectoryAt(path)) return false;
  static constexpr const wchar_t* kNames[] = {kMainExeName, kStagedExeName, kOldExeName};
  for (const wchar_t* name : kNames) {
    wchar_t candidate[MAX_PATH];
    // PathCombineW fails (null) when the result would not fit: then nothing can be there
    // that a 260-character path could reach.
    if (::PathCombineW(candidate, path, name) && PathExistsAt(candidate)) return true;
  }
  return false;
}

}  // namespace vireo
