#include "installer/install_dir_guard.h"

#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <string_view>

#include "installer/product_constants.h"
#include "support/fixed_path.h"
#include "support/path_normalize.h"
#include "installer/path_check.h"
#include "support/string_util.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

// A string value of the App Paths key; empty when missing, not a string or larger than the
// 520-byte buffer (a value that does not fit is not cut into another path).
std::wstring ReadAppPathsValue(const wchar_t* value_name) {
  wchar_t buf[kPathCapacity] = {};
  DWORD type = 0;
  DWORD bytes = static_cast<DWORD>(kMaxPathChars * sizeof(wchar_t));
  if (::SHGetValueW(HKEY_CURRENT_USER, kAppPathsRegKey, value_name, &type, buf, &bytes) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  buf[bytes / sizeof(wchar_t)] = L'\0';
  return buf;
}

bool Same(std::wstring_view a, std::wstring_view b) { return !a.empty() && EqualsIgnoreAsciiCase(a, b); }

std::wstring NormalizedParent(std::wstring_view normalized) { return NormalizePath(ParentPart(normalized)); }

// Last component after dropping one trailing backslash ("/" counts as a separator too).
std::wstring_view LastComponent(std::wstring_view path) {
  if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  return FileNamePart(path);
}

bool IsExistingDirectory(const wchar_t* path) {
  const DWORD attrs = ::GetFileAttributesW(path);
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool IsRegisteredInstallDir(const wchar_t* folder, bool check_registration) {
  if (!HasPathBelowRoot(folder) || !IsInstallDir(folder)) return false;
  if (HasDotComponent(folder)) return false;
  if (!check_registration) return true;
  const std::wstring p = NormalizePath(folder);
  if (p.empty()) return false;

  std::wstring r1;
  const std::wstring path_value = ReadAppPathsValue(L"Path");
  if (!path_value.empty()) r1 = NormalizePath(path_value);
  std::wstring r2;
  const std::wstring exe_value = ReadAppPathsValue(nullptr);
  if (!exe_value.empty()) r2 = std::wstring(ParentPart(NormalizePath(exe_value)));
  if (r1.empty() && r2.empty()) return true;  // nothing registered to contradict

  if (!r1.empty() &&
      (Same(p, r1) || Same(p, NormalizedParent(r1)) || Same(NormalizedParent(p), r1))) {
    return true;
  }
  if (!r2.empty() && Same(p, NormalizePath(r2))) return true;
  return false;
}

bool DeleteInstallDir(const wchar_t* folder) {
  return IsRegisteredInstallDir(folder, true) && DeleteTree(folder);
}

bool DeleteInsideInstallDir(const wchar_t* install_dir, const wchar_t* target) {
  if (!HasPathBelowRoot(install_dir) || !IsInstallDir(install_dir)) return false;
  if (!target || !*target || !HasPathBelowRoot(target)) return false;
  if (HasDotComponent(install_dir) || HasDotComponent(target)) return false;
  const std::wstring i = NormalizePath(install_dir);
  const std::wstring t = NormalizePath(target);
  if (i.empty() || t.empty()) return false;
  if (!StartsWithIgnoreAsciiCase(t, WithTrailingBackslash(i)) || t.size() <= i.size() + 1) return false;
  return DeleteTree(target);
}

bool IsUserDataDir(const wchar_t* folder, const wchar_t* product) {
  if (!HasPathBelowRoot(folder) || !IsExistingDirectory(folder)) return false;
  const std::wstring_view name = (product && *product) ? product : kProductName;
  std::wstring_view path(folder);
  if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  if (!EqualsIgnoreAsciiCase(FileNamePart(path), kUserDataFolderName)) return false;
  return EqualsIgnoreAsciiCase(FileNamePart(ParentPart(path)), name);
}

bool DeleteUserDataDir(const wchar_t* folder, const wchar_t* product) {
  return IsUserDataDir(folder, product) && DeleteTree(folder);
}

bool IsNamedFolder(const wchar_t* folder, const wchar_t* name) {
  if (!HasPathBelowRoot(folder)) return false;
  const std::wstring_view wanted = (name && *name) ? name : kProductName;
  return EqualsIgnoreAsciiCase(LastComponent(folder), wanted);
}

}  // namespace vireo
