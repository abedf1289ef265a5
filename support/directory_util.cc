#include "support/directory_util.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>
#include <string>

#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/scoped_handle.h"

namespace vireo {

bool EnsureDirectory(const wchar_t* path) {
  if (!path || !*path) return false;
  const DWORD attrs = ::GetFileAttributesW(path);
  if (attrs != INVALID_FILE_ATTRIBUTES) {
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) return true;
    ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path);
  }
  return ::CreateDirectoryW(path, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CreateDirectoryPath(const wchar_t* path) {
  if (!path || !*path) return false;
  if (::PathIsRootW(path)) return true;
  const size_t length = std::wcslen(path);
  if (length > kMaxPathChars) return false;
  std::wstring prefix;
  bool result = false;
  size_t pos = 0;
  for (;;) {
    // Backslashes first; forward slashes only once no backslash is left.
    size_t next = std::wstring_view(path, length).find(L'\\', pos);
    if (next == std::wstring_view::npos) next = std::wstring_view(path, length).find(L'/', pos);
    if (next == std::wstring_view::npos) break;
    if (next > 0) {
      prefix.assign(path, next);
      result = EnsureDirectory(prefix.c_str());
    }
    pos = next + 1;
  }
  return result;
}

bool CopyTree(const wchar_t* source, const wchar_t* target) {
  if (!source || !*source || !target || !*target) return false;
  if (!PathExistsAt(source)) return false;
  const std::wstring s(source);
  const std::wstring t(target);
  if (!PathExistsAt(target)) {
    // One level only: the parent of the target, then the target.
    const size_t slash = t.rfind(L'\\');
    if (slash != std::wstring::npos && slash > 0) EnsureDirectory(t.substr(0, slash).c_str());
    EnsureDirectory(target);
  }
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW((s + L"\\*.*").c_str(), &data));
  if (!find) return false;
  bool all = true;
  do {
    if (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0) continue;
    const std::wstring from = s + L"\\" + data.cFileName;
    const std::wstring to = t + L"\\" + data.cFileName;
    // Beyond 260 characters the plain file APIs cannot reach the entry; it is counted as a
    // failure instead of being attempted with a path the system would cut.
    if (from.size() > kMaxPathChars || to.size() > kMaxPathChars) {
      all = false;
      continue;
    }
    ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!CopyTree(from.c_str(), to.c_str())) all = false;
    } else if (::CopyFileW(from.c_str(), to.c_str(), FALSE)) {
      ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    } else {
      all = false;
    }
  } while (::FindNextFileW(find.get(), &data));
  return all;
}

}  // namespace vireo
