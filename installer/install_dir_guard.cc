#include "installer/install_dir_guard.h"

#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <string_view>

#include "installer/app_paths_value.h"
#include "installer/path_check.h"
#include "installer/product_constants.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/path_normalize.h"
#include "support/string_util.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

bool Same(std::wstring_view a, std::wstring_view b) { return !a.empty() && EqualsIgnoreAsciiCase(a, b); }

std::wstring NormalizedParent(std::wstring_view normalized) { return NormalizePath(ParentPart(normalized)); }

// Last component after dropping one trailing backslash ("/" counts as a separator too).
std::wstring_view LastComponent(std::wstring_view path) {
  if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  return FileNamePart(path);
}

}  // namespace

bool IsRegisteredInstallDir(const wchar_t* folder, bool check_registration) {
  if (!HasPathBelowRoot(folder) || !IsInstallDir(folder)) return false;
  if (HasDotComponent(folder)) return false;
  if (!check_registration) return true;
  const std::wstring p = NormalizePath(folder);
  if (p.empty()) return false;

  std::wstring r1;
  const FixedPath path_value = ReadAppPathsValue(L"Path");
  if (!path_value.empty()) r1 = NormalizePath(path_value.view());
  std::wstring r2;
  const FixedPath exe_value = ReadAppPathsValue(nullptr);
  if (!exe_value.empty()) r2 = std::wstring(ParentPart(NormalizePath(exe_value.view())));
  if (r1.empty() && r2.empty()) return true;  // nothing registered to contradict

  if (!r1.empty() &&
      (Same(p, r1) || Same(p, NormalizedParent(r1)) || Same(NormalizedParent(p), r1))) {
    return true;
  }
  if (!r2.empty() && Same(p, NormalizePath(r2))) return true;
  return false;
}

bool IsPortableInstallDir(const wchar_t* folder) {
  if (!IsRegisteredInstallDir(folder, false)) return false;
  FixedPath marker(folder);
  return marker.Append(kPortableMarkerName) && PathExistsAt(marker.c_str());
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
  if (!HasPathBelowRoot(folder) || !IsDirectoryAt(folder)) return false;
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
