#include "installer/update_cleanup.h"

#include <windows.h>

#include <string>
#include <vector>

#include "installer/install_dir_guard.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/steps/version_folder.h"
#include "support/file_attributes.h"
#include "support/file_version.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"

namespace vireo {

void RemoveUpdateLeftovers(const wchar_t* app_dir, bool run_succeeded) {
  if (!app_dir || !*app_dir || !IsRegisteredInstallDir(app_dir, false)) return;
  FixedPath dir(app_dir);
  if (dir.empty()) return;

  FixedPath main_exe = dir;
  FixedPath backup = dir;
  FixedPath chrome_backup = dir;
  FixedPath staged = dir;
  FixedPath pattern = dir;
  if (!main_exe.Append(kMainExeName) || !backup.Append(L"vireo.exe.bak") ||
      !chrome_backup.Append(kReplacedFilesFolderName) || !staged.Append(kStagedExeName) || !pattern.Append(L"*")) {
    return;
  }
  const std::wstring running_version = GetFileVersionString(main_exe.c_str());

  if (run_succeeded) {
    ::DeleteFileW(backup.c_str());
    DeleteInsideInstallDir(dir.c_str(), chrome_backup.c_str());
  }

  if (PathExistsAt(staged.c_str()) || PathExistsAt(chrome_backup.c_str()) || running_version.empty()) return;

  std::vector<std::wstring> old_versions;
  bool running_folder_found = false;
  WIN32_FIND_DATAW fd;
  ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &fd));
  if (!find) return;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsVersionFolderName(fd.cFileName)) continue;
    if (running_version == fd.cFileName) {
      running_folder_found = true;
    } else {
      old_versions.emplace_back(fd.cFileName);
    }
  } while (::FindNextFileW(find.get(), &fd));
  find.reset();

  // An executable whose version names no folder (a build packed with another version's
  // folder) runs from one of these folders all the same: which one cannot be told.
  if (!running_folder_found) {
    if (!old_versions.empty()) CInstallLog::Get().Write(kVersionFoldersKeptLog, running_version.c_str());
    return;
  }

  for (const std::wstring& name : old_versions) {
    FixedPath target = dir;
    if (target.Append(name)) DeleteInsideInstallDir(dir.c_str(), target.c_str());
  }
}

}  // namespace vireo
