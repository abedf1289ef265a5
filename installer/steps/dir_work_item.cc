#include "installer/steps/dir_work_item.h"

#include <windows.h>

#include <string>

#include "installer/install_dir_guard.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/path_check.h"
#include "installer/product_constants.h"
#include "installer/steps/component_deploy.h"
#include "installer/steps/component_records.h"
#include "installer/steps/json_version.h"
#include "installer/steps/main_exe_deploy.h"
#include "installer/steps/version_folder.h"
#include "installer/steps/widevine_cdm.h"
#include "support/file_aside.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/string_util.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

struct ScreenshotVisit {
  const std::wstring* app_dir;
};

bool VisitForScreenshot(const std::wstring& version_dir, void* context) {
  return DeployScreenshotTool(*static_cast<ScreenshotVisit*>(context)->app_dir, version_dir);
}

struct WidevineVisit {
  const std::wstring* user_data_dir;
};

bool VisitForWidevine(const std::wstring& version_dir, void* context) {
  return DeployWidevineCdm(version_dir, *static_cast<WidevineVisit*>(context)->user_data_dir);
}

// The product folder's name: the last component of the default root, "Vireo" if none.
std::wstring ProductFolderName(const wchar_t* default_root) {
  const std::wstring root = WithoutTrailingBackslash(default_root ? default_root : L"");
  const std::wstring_view name = FileNamePart(root);
  return name.empty() ? std::wstring(kProductName) : std::wstring(name);
}

}  // namespace

bool CDirWorkItem::DoImpl() { return CInstallOptions::Get().uninstall ? Uninstall() : Install(); }

bool CDirWorkItem::Install() {
  CInstallOptions& options = CInstallOptions::Get();
  ReportProgress(PROGRESS_DIR, 0);
  const std::wstring app = options.GetAppDir();
  if (!DeployMainExe(app)) return false;
  if (IsDirectoryAt(app)) {
    DeployScreenshot(app);
    const std::wstring user_data = options.GetUserDataDir();
    if (!user_data.empty()) DeployModule(app, user_data);
  }
  ReportProgress(PROGRESS_DIR, 100);
  return true;
}

bool CDirWorkItem::DeployMainExe(const std::wstring& app) {
  // An update whose extraction found vireo.exe in use has already staged new_vireo.exe.
  if (PathExistsAt(JoinPath(app, kStagedExeName))) return true;
  const std::wstring source = JoinPath(CInstallOptions::Get().GetExtractDir(), kMainExeName);
  std::vector<std::wstring> absent;
  for (const wchar_t* name : {kStagedExeName, kOldExeName}) {
    if (!PathExistsAt(JoinPath(app, name))) absent.push_back(JoinPath(app, name));
  }
  replaced_exes_.set_backup_folder(JoinPath(app, kReplacedFilesFolderName));
  const bool deployed = DeployMainProcessExe(source.c_str(), app.c_str(), &replaced_exes_);
  const DWORD gle = ::GetLastError();
  for (const std::wstring& path : absent) {
    if (PathExistsAt(path)) created_exes_.push_back(path);
  }
  if (deployed) return true;
  error_text_ = kDeployMainExeMessage;
  CInstallLog::Get().Write(L"[dir] DeployMainProcessExe failed, src=%s app=%s gle=%u", source.c_str(), app.c_str(),
                           gle);
  return false;
}

void CDirWorkItem::DeployScreenshot(const std::wstring& app) {
  tool_additions_.Begin(JoinPath(app, L"components"));
  if (!IsFileAt(JoinPath(app, L"components\\Screenshot\\Screenshot.exe")) && !DeployScreenshotTool(app, app)) {
    ScreenshotVisit visit{&app};
    EnumerateVersionFolders(app.c_str(), &VisitForScreenshot, &visit);
  }
  tool_additions_.End();
}

void CDirWorkItem::DeployModule(const std::wstring& app, const std::wstring& user_data) {
  const std::wstring widevine_dir = JoinPath(user_data, L"WidevineCdm");
  const std::wstring record = JoinPath(widevine_dir, kInstalledRecordName);
  module_additions_.Begin(widevine_dir);
  // A record that could not be put back is never rewritten.
  module_record_ = SavedFile::Save(record);
  if (!module_record_.ok()) return;
  wchar_t recorded[kJsonVersionChars] = {};
  const bool in_place =
      ReadJsonVersion(record.c_str(), recorded) && HasWidevineCdmFiles(JoinPath(widevine_dir, recorded));
  if (!in_place) {
    WidevineVisit visit{&user_data};
    EnumerateVersionFolders(app.c_str(), &VisitForWidevine, &visit);
  }
  module_additions_.End();
}

bool CDirWorkItem::Uninstall() {
  CInstallOptions& options = CInstallOptions::Get();
  ReportProgress(PROGRESS_UNINSTALL_DIR, 0);
  const std::wstring name = ProductFolderName(options.GetDefaultRoot());
  bool result = true;

  const std::wstring app = options.GetAppDir();
  // A portable folder is no registered installation: it goes on its own marker, and nothing
  // outside it is touched.
  const bool portable = options.portable && IsPortableInstallDir(app.c_str());
  if (PathExistsAt(app)) {
    if (portable ? DeleteTree(app.c_str()) : DeleteInstallDir(app.c_str())) {
      if (portable) {
        ReportProgress(PROGRESS_UNINSTALL_DIR, 100);
        return true;
      }
      const std::wstring install_dir = options.GetInstallDir();
      // The installation root goes only when it is a separate, empty product folder.
      if (!EqualsIgnoreAsciiCase(install_dir, app) && IsNamedFolder(install_dir.c_str(), name.c_str())) {
        ::RemoveDirectoryW(install_dir.c_str());
      }
    } else if (PathExistsAt(app)) {
      error_text_ = kDeleteAppDirMessage;
      result = false;
    }
  }

  const std::wstring user_data = options.GetUserDataDir();
  if (options.delete_user_data && PathExistsAt(user_data)) {
    if (!DeleteUserDataDir(user_data.c_str(), name.c_str())) {
      error_text_ = kDeleteUserDataMessage;
      result = false;
    }
  }

  const wchar_t* root = options.GetDefaultRoot();
  if (IsNamedFolder(root, name.c_str())) ::RemoveDirectoryW(root);

  ReportProgress(PROGRESS_UNINSTALL_DIR, 100);
  return result;
}

void CDirWorkItem::RollbackImpl() {
  module_additions_.Remove();
  if (module_record_.ok() && module_record_.existed()) module_record_.Restore();
  tool_additions_.Remove();
  for (const std::wstring& path : created_exes_) DeleteFileOrRenameAside(path.c_str());
  created_exes_.clear();
  replaced_exes_.Restore();
}

}  // namespace vireo
