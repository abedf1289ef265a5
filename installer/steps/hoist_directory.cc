#include "installer/steps/hoist_directory.h"

#include <windows.h>

#include <string>

#include "installer/install_options.h"
#include "installer/product_constants.h"
#include "installer/steps/main_exe_deploy.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

DWORD AttributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool IsDir(DWORD attrs) { return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY); }

// A main executable that is in use cannot be replaced; staging it next to the running one
// lets the browser swap it in on its next start.
bool RescueMainExe(const std::wstring& name, const std::wstring& s, const std::wstring& d, bool d_is_dir,
                   bool s_is_dir) {
  if (d_is_dir || s_is_dir || !EqualsIgnoreAsciiCase(name, kMainExeName)) return false;
  const wchar_t* app_dir = CInstallOptions::Get().GetAppDir();
  if (!EqualsIgnoreAsciiCase(d, JoinPath(app_dir, kMainExeName))) return false;
  return DeployMainProcessExe(s.c_str(), app_dir);
}

}  // namespace

bool HoistDirectory(const wchar_t* source, const wchar_t* destination) {
  if (!source || !*source || !destination || !*destination) return false;
  const std::wstring src = WithTrailingBackslash(source);
  const std::wstring dst = WithTrailingBackslash(destination);

  const std::wstring pattern = src + L"*";
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) {
    const DWORD error = ::GetLastError();
    CInstallLog::Get().Write(L"[unzip] hoist enum failed: %s gle=%u", pattern.c_str(), error);
    return false;
  }

  bool result = true;
  do {
    const std::wstring name(data.cFileName);
    if (name == L"." || name == L"..") continue;
    const std::wstring s = src + name;
    const std::wstring d = dst + name;
    const bool s_is_dir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    DWORD d_attrs = AttributesOf(d);
    if (d_attrs != INVALID_FILE_ATTRIBUTES && (d_attrs & FILE_ATTRIBUTE_READONLY)) {
      ::SetFileAttributesW(d.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(s.c_str(), FILE_ATTRIBUTE_NORMAL);

    if (IsDir(d_attrs) && s_is_dir) {
      // Entries that could not be moved stay where they are, so only a fully merged folder
      // is cleared away.
      if (!HoistDirectory(s.c_str(), d.c_str())) {
        result = false;
      } else if (!::RemoveDirectoryW(s.c_str())) {
        DeleteTree(s.c_str());
      }
      continue;
    }
    if (d_attrs != INVALID_FILE_ATTRIBUTES && !IsDir(d_attrs) && s_is_dir) {
      ::SetFileAttributesW(d.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(d.c_str());
    }
    if (::MoveFileExW(s.c_str(), d.c_str(), kMoveFlags)) continue;
    const DWORD error = ::GetLastError();
    if (RescueMainExe(name, s, d, IsDir(AttributesOf(d)), s_is_dir)) continue;
    CInstallLog::Get().Write(L"[unzip] hoist failed: %s -> %s gle=%u", s.c_str(), d.c_str(), error);
    result = false;
  } while (::FindNextFileW(find.get(), &data));
  return result;
}

}  // namespace vireo
