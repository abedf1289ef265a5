#include "support/temp_file.h"

#include <windows.h>

#include "support/fixed_path.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

bool IsHexDigit(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

}  // namespace

std::wstring MakeTempFilePath(const wchar_t* prefix) {
  // GetTempFileNameW needs room for "\pppXXXX.tmp" (14 characters) after the folder within
  // MAX_PATH, so a folder longer than that cannot host a temporary file.
  wchar_t folder[MAX_PATH];
  const DWORD len = ::GetTempPathW(MAX_PATH, folder);
  if (len == 0 || len >= MAX_PATH - 14) return std::wstring();
  wchar_t path[MAX_PATH];
  if (::GetTempFileNameW(folder, prefix ? prefix : L"", 0, path) == 0) return std::wstring();
  return path;
}

bool IsTempFileName(std::wstring_view name, std::wstring_view prefix) {
  constexpr std::wstring_view kSuffix = L".tmp";
  prefix = prefix.substr(0, 3);
  if (name.size() < prefix.size() + 1 + kSuffix.size() || name.size() > prefix.size() + 4 + kSuffix.size()) {
    return false;
  }
  if (!EqualsIgnoreAsciiCase(name.substr(0, prefix.size()), prefix) ||
      !EqualsIgnoreAsciiCase(name.substr(name.size() - kSuffix.size()), kSuffix)) {
    return false;
  }
  for (wchar_t c : name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size())) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

void RemoveTempLeftovers(std::initializer_list<const wchar_t*> prefixes) {
  wchar_t folder[MAX_PATH];
  const DWORD len = ::GetTempPathW(MAX_PATH, folder);
  if (len == 0 || len >= MAX_PATH) return;
  const std::wstring temp(folder, len);
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW((temp + L"*.tmp").c_str(), &data));
  if (!find) return;
  do {
    bool ours = false;
    for (const wchar_t* prefix : prefixes) ours = ours || IsTempFileName(data.cFileName, prefix);
    if (!ours) continue;
    const std::wstring path = temp + data.cFileName;
    if (path.size() > kMaxPathChars) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      DeleteTree(path.c_str());
    } else {
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(path.c_str());
    }
  } while (::FindNextFileW(find.get(), &data));
}

}  // namespace vireo
