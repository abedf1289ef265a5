#include "installer/steps/unzip_work_item.h"

#include <windows.h>

#include <memory>

#include "archive/archive_plugin.h"
#include "archive/extract_archive.h"
#include "corekit/value_map.h"
#include "installer/install.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/run_checkpoint.h"
#include "installer/steps/hoist_directory.h"
#include "support/directory_util.h"
#include "support/file_aside.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/module_instance.h"
#include "support/resource_file.h"
#include "support/temp_file.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

// The package fills the first half of the step's bar, the program archive the second.
void ReportPackageProgress(int, float percent, std::shared_ptr<void>) {
  ReportProgress(PROGRESS_UNZIP, percent * 0.5f);
}

void ReportProgramProgress(int, float percent, std::shared_ptr<void>) {
  ReportProgress(PROGRESS_UNZIP, percent * 0.5f + 50.0f);
}

// A silent portable run has closed nothing before the steps; a window run has, and an
// installed (non-portable) browser that runs is handled by staging its executable.
bool ShouldCloseBrowser() {
  const CInstallOptions& options = CInstallOptions::Get();
  return options.silent && options.portable && !options.pending_restart;
}

}  // namespace

bool CUnzipWorkItem::Fail(const std::wstring& message) {
  error_text_ = message;
  CInstallLog::Get().Write(L"[unzip] %s", error_text_.c_str());
  return false;
}

bool CUnzipWorkItem::DoImpl() {
  target_folder_ = CInstallOptions::Get().GetExtractDir();
  // Only one run at a time exists in this session, so whatever carries these names was left
  // by a run that was ended before it cleaned up.
  RemoveTempLeftovers({kPackageTempPrefix, kArchiveTempPrefix});

  package_file_ = MakeTempFilePath(kPackageTempPrefix);
  if (package_file_.empty() ||
      !ExtractResourceToFile(GetModuleInstance(), package_file_.c_str(), L"PACKAGE", L"IDR_ZIP_PACKAGE")) {
    return Fail(kUnzipResourceMessage);
  }

  // A backup area found here belongs to a run that was ended before it finished; what it
  // kept is of no use to anyone now.
  const std::wstring backup = JoinPath(target_folder_, kReplacedFilesFolderName);
  if (!target_folder_.empty()) DeleteTree(backup.c_str());
  replaced_.set_backup_folder(backup);
  additions_.Begin(target_folder_, kReplacedFilesFolderName);

  if (!CreateDirectoryPath(target_folder_.c_str())) {
    additions_.End();
    DeleteFileOrRenameAside(package_file_.c_str());
    return Fail(kUnzipCreateTargetMessage);
  }

  // The temporary name doubles as the work folder; the extraction creates the folder itself.
  work_folder_ = MakeTempFilePath(kArchiveTempPrefix);
  bool work_ready = false;
  if (!work_folder_.empty()) {
    DeleteFileOrRenameAside(work_folder_.c_str());
    work_ready = CreateDirectoryPath(work_folder_.c_str());
  }
  bool result = false;
  if (!work_ready || !LoadArchivePlugin(GetModuleInstance(), L"PACKAGE", L"IDR_DLL_7Z")) {
    result = Fail(kUnzipInitMessage);
  } else {
    result = ExtractAndHoist();
    UnloadArchivePlugin();
    DeleteTree(work_folder_.c_str());
  }

  additions_.End();
  DeleteFileOrRenameAside(package_file_.c_str());
  return result;
}

bool CUnzipWorkItem::ExtractAndHoist() {
  // The session hands this context to every callback; nothing reads it.
  auto context = std::make_shared<corekit::ValueMap>();
  const int outer = ExtractArchive(package_file_.c_str(), work_folder_.c_str(), context, ReportPackageProgress);
  if (outer != UNZIP_SUCCESS) return Fail(FormatMessageText(kUnzipPackageFormat, static_cast<unsigned>(outer)));
  const std::wstring program = work_folder_ + L"\\chrome.7z";
  const int inner = ExtractArchive(program.c_str(), target_folder_.c_str(), context, ReportProgramProgress);
  if (inner != UNZIP_SUCCESS) return Fail(FormatMessageText(kUnzipProgramFormat, static_cast<unsigned>(inner)));
  PassCheckpoint(RunCheckpoint::kProgramExtracted);

  const std::wstring top = JoinPath(target_folder_, kPayloadTopFolderName);
  if (ShouldCloseBrowser()) CInstall::KillProcesses();
  if (!IsDirectoryAt(top)) return true;
  if (!HoistDirectory(top.c_str(), target_folder_.c_str(), &replaced_)) return Fail(kUnzipFilesInUseMessage);
  DeleteTree(top.c_str());
  return true;
}

void CUnzipWorkItem::RollbackImpl() {
  // New entries go first, so that a file set aside finds its place free (a folder that the
  // run put where a file was is empty by then).
  if (!target_folder_.empty()) additions_.Remove();
  replaced_.Restore();
  DeleteTree(work_folder_.c_str());
  DeleteFileOrRenameAside(package_file_.c_str());
}

}  // namespace vireo
