#include "installer/install.h"

#include <windows.h>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/path_check.h"
#include "installer/step_runner.h"
#include "installer/steps/dir_work_item.h"
#include "installer/steps/reg_work_item.h"
#include "installer/steps/shortcut_work_item.h"
#include "installer/steps/unzip_work_item.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

CInstall::StepFactory& StepFactoryForTesting() {
  static CInstall::StepFactory factory;
  return factory;
}

StepList MakeSteps(const CInstallOptions& options) {
  StepList steps;
  // An uninstall unpacks nothing: the uninstaller carries no package to unpack.
  if (!options.uninstall) steps.push_back(std::make_shared<CUnzipWorkItem>());
  steps.push_back(std::make_shared<CDirWorkItem>());
  if (!options.portable) {
    steps.push_back(std::make_shared<CShortcutWorkItem>());
    steps.push_back(std::make_shared<CRegWorkItem>());
  }
  return steps;
}

// An empty ".portable" file marks the folder; an existing marker that cannot be reopened
// still counts, since the folder is marked either way.
bool WritePortableMarker(const wchar_t* app_dir, DWORD* error) {
  FixedPath marker(app_dir);
  if (marker.empty() || !marker.Append(L".portable")) {
    *error = ERROR_FILENAME_EXCED_RANGE;
    return false;
  }
  ScopedFile file(::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (file) return true;
  *error = ::GetLastError();
  return PathExistsAt(marker.c_str());
}

}  // namespace

void CInstall::SetStepFactoryForTesting(StepFactory factory) { StepFactoryForTesting() = std::move(factory); }

InstallResult CInstall::Execute() {
  CInstallOptions& options = CInstallOptions::Get();
  InstallResult result;
  const std::wstring refusal = CheckInstallPath(options.GetAppDir());
  if (!refusal.empty()) {
    CInstallLog::Get().Write(L"[install] path check failed: %s", refusal.c_str());
    result.message = refusal;
    return result;
  }
  if (!options.silent) KillProcesses();

  const StepFactory& factory = StepFactoryForTesting();
  result = RunSteps(factory ? factory() : MakeSteps(options));

  if (result.success && options.portable && !options.uninstall) {
    DWORD error = 0;
    if (!WritePortableMarker(options.GetAppDir(), &error)) {
      result.success = false;
      result.message = kPortableMarkerMessage;
      CInstallLog::Get().Write(L"[install] failed to write .portable marker gle=%u", error);
    }
  }
  return result;
}

InstallResult CInstall::Run() {
  InstallResult result = Execute();
  ReportInstallResult(result);
  return result;
}

}  // namespace vireo
