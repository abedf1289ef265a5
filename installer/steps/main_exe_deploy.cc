#include "installer/steps/main_exe_deploy.h"

#include <windows.h>

#include <cstdint>

#include "installer/product_constants.h"
#include "support/file_attributes.h"
#include "support/file_version.h"
#include "support/fixed_path.h"
#include "support/replaced_files.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"

namespace vireo {
namespace {

constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

enum class Use { kFree, kMissing, kInUse };

// A running executable cannot be opened for writing; that is how "in use" is told.
Use ProbeForWrite(const wchar_t* path) {
  ScopedFile file(::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
  if (file) return Use::kFree;
  const DWORD error = ::GetLastError();
  return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? Use::kMissing : Use::kInUse;
}

// Makes room at |path|: set aside when a roll-back may need the file again, else deleted.
// Only a set-aside that fails answers false; a failed deletion shows in the move after it.
bool ClearForReplace(const FixedPath& path, ReplacedFiles* replaced) {
  if (replaced) return replaced->SetAside(path.str());
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(path.c_str());
  return true;
}

}  // namespace

bool DeployMainProcessExe(const wchar_t* source, const wchar_t* app_dir, ReplacedFiles* replaced) {
  if (!source || !*source || !app_dir || !*app_dir || !PathExistsAt(source)) return false;
  FixedPath main_exe(app_dir), new_exe(app_dir), old_exe(app_dir);
  if (main_exe.empty() || !main_exe.Append(kMainExeName) || !new_exe.Append(kStagedExeName) ||
      !old_exe.Append(kOldExeName)) {
    return false;
  }

  if (EqualsIgnoreAsciiCase(source, main_exe.view())) {
    if (PathExistsAt(new_exe.c_str())) return true;
    if (!PathExistsAt(main_exe.c_str())) return false;
    return ProbeForWrite(main_exe.c_str()) != Use::kInUse;
  }

  if (PathExistsAt(main_exe.c_str()) && ProbeForWrite(main_exe.c_str()) == Use::kInUse) {
    if (PathExistsAt(new_exe.c_str())) {
      const uint64_t source_version = GetFileVersionNumber(source);
      const uint64_t staged_version = GetFileVersionNumber(new_exe.c_str());
      if (source_version && staged_version && staged_version >= source_version) return true;
    }
    if (!ClearForReplace(new_exe, replaced)) return false;
    return ::MoveFileExW(source, new_exe.c_str(), kMoveFlags) != FALSE;
  }

  // Kept aside, the current executable no longer stands in the way of the move.
  if (replaced && !replaced->SetAside(main_exe.str())) return false;
  ::SetFileAttributesW(main_exe.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (::MoveFileExW(source, main_exe.c_str(), kMoveFlags)) return true;
  if (PathExistsAt(old_exe.c_str()) && !ClearForReplace(old_exe, replaced)) return false;
  ::SetFileAttributesW(old_exe.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::MoveFileExW(main_exe.c_str(), old_exe.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  return ::MoveFileExW(source, main_exe.c_str(), kMoveFlags) != FALSE;
}

}  // namespace vireo
