#include "installer/steps/hoist_directory.h"

#include <windows.h>

#include <string>

#include "installer/install_options.h"
#include "installer/product_constants.h"
#include "installer/run_checkpoint.h"
#include "installer/steps/main_exe_deploy.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/replaced_files.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

bool IsDir(DWORD attrs) { return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY); }

// The application folder's own vireo.exe: the one file that may be in use by the running
// browser, and is then staged beside it instead of being replaced.
bool IsAppMainExe(const std::wstring& name, const std::wstring& d, bool s_is_dir) {
  if (s_is_dir || !EqualsIgnoreAsciiCase(name, kMainExeName)) return false;
  return EqualsIgnoreAsciiCase(d, JoinPath(CInstallOptions::Get().GetAppDir(), kMainExeName));
}

// Moves one entry that is not merged; false (logged) when it stays where it is. A folder
// standing where a file arrives is not set aside: the move fails on it.
bool MoveEntry(const std::wstring& name, const std::wstring& s, const std::wstring& d, bool s_is_dir,
               ReplacedFiles* replaced) {
  const bool d_is_dir = IsDir(::GetFileAttributesW(d.c_str()));
  bool moved = false;
  if (IsAppMainExe(name, d, s_is_dir) && !d_is_dir) {
    moved = DeployMainProcessExe(s.c_str(), CInstallOptions::Get().GetAppDir(), replaced);
  } else {
    moved = (d_is_dir || replaced->SetAside(d)) && ::MoveFileExW(s.c_str(), d.c_str(), kMoveFlags);
  }
  if (moved) return true;
  const DWORD error = ::GetLastError();
  CInstallLog::Get().Write(L"[unzip] hoist failed: %s -> %s gle=%u", s.c_str(), d.c_str(), error);
  return false;
}

}  // namespace

bool HoistDirectory(const wchar_t* source, const wchar_t* destination, ReplacedFiles* replaced) {
  if (!source || !*source || !destination || !*destination || !replaced) return false;
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
    if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(s.c_str(), FILE_ATTRIBUTE_NORMAL);

    if (IsDir(::GetFileAttributesW(d.c_str())) && s_is_dir) {
      // Entries that could not be moved stay where they are, so only a fully merged folder
      // is cleared away.
      if (!HoistDirectory(s.c_str(), d.c_str(), replaced)) {
        result = false;
      } else if (!::RemoveDirectoryW(s.c_str())) {
        DeleteTree(s.c_str());
      }
      continue;
    }
    if (!MoveEntry(name, s, d, s_is_dir, replaced)) {
      result = false;
      continue;
    }
    PassCheckpoint(RunCheckpoint::kHoisting);
  } while (::FindNextFileW(find.get(), &data));
  return result;
}

}  // namespace vireo
