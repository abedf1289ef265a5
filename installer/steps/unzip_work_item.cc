#include "installer/steps/unzip_work_item.h"

#include <windows.h>

#include <memory>
#include <span>

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
#include "support/disk_space.h"
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

bool CUnzipWorkItem::EnsureSpace(const std::wstring& path, unsigned long long needed) {
  unsigned long long free = 0;
  // A volume that cannot be measured is written to all the same; its writes will tell.
  if (!FreeBytesAt(path, &free) || free >= needed) return true;
  return FailForSpace(path, needed);
}

bool CUnzipWorkItem::FailForSpace(const std::wstring& path, unsigned long long needed) {
  unsigned long long free = 0;
  if (!FreeBytesAt(path, &free)) free = 0;
  return Fail(FormatMessageText(kDiskSpaceFormat, NeededMegabytes(needed), FreeMegabytes(free)));
}

bool CUnzipWorkItem::FailExtraction(const wchar_t* format, int result, const std::wstring& destination,
                                    unsigned long long needed) {
  if (result == UNZIP_DISK_FULL) return FailForSpace(destination, needed);
  return Fail(FormatMessageText(format, static_cast<unsigned>(result)));
}

bool CUnzipWorkItem::DoImpl() {
  target_folder_ = CInstallOptions::Get().GetExtractDir();
  // Only one run at a time exists in this session, so whatever carries these names was left
  // by a run that was ended before it cleaned up.
  RemoveTempLeftovers({kPackageTempPrefix, kArchiveTempPrefix});

  package_file_ = MakeTempFilePath(kPackageTempPrefix);
  const std::span<const unsigned char> package = FindResourceBytes(GetModuleInstance(), L"PACKAGE", L"IDR_ZIP_PACKAGE");
  if (package_file_.empty() || package.empty()) return Fail(kUnzipResourceMessage);
  // Each volume is measured before the run writes there; the roll-back removes what an
  // earlier stage wrote.
  if (!EnsureSpace(package_file_, package.size())) return false;
  if (!WriteBytesToFile(package_file_.c_str(), package)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) return FailForSpace(package_file_, package.size());
    return Fail(kUnzipResourceMessage);
  }

  // A backup area found here belongs to a run that could not put everything back: it may
  // hold the only copy of an earlier browser's files, so it stays (this run's own entries
  // get names of their own beside them) until a run succeeds.
  const std::wstring backup = JoinPath(target_folder_, kReplacedFilesFolderName);
  if (!target_folder_.empty() && IsDirectoryAt(backup)) CInstallLog::Get().Write(kSetAsideFoundLog, backup.c_str());
  replaced_.set_backup_folder(backup);
  additions_.Begin(target_folder_, kReplacedFilesFolderName);

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
  // The headers give each archive's unpacked size before anything of it is written. A size
  // that cannot be read leaves the check to the extraction, which fails the same way.
  UINT64 package_size = 0;
  if (ReadUnpackedSize(package_file_.c_str(), &package_size) && !EnsureSpace(work_folder_, package_size)) return false;
  const int outer = ExtractArchive(package_file_.c_str(), work_folder_.c_str(), context, ReportPackageProgress);
  if (outer != UNZIP_SUCCESS) return FailExtraction(kUnzipPackageFormat, outer, work_folder_, package_size);

  const std::wstring program = work_folder_ + L"\\chrome.7z";
  UINT64 program_size = 0;
  if (ReadUnpackedSize(program.c_str(), &program_size) && !EnsureSpace(target_folder_, program_size)) return false;
  PassCheckpoint(RunCheckpoint::kSpaceChecked);
  if (!CreateDirectoryPath(target_folder_.c_str())) return Fail(kUnzipCreateTargetMessage);
  const int inner = ExtractArchive(program.c_str(), target_folder_.c_str(), context, ReportProgramProgress);
  if (inner != UNZIP_SUCCESS) return FailExtraction(kUnzipProgramFormat, inner, target_folder_, program_size);
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
  NoteRollbackFailures(replaced_.Restore());
  DeleteTree(work_folder_.c_str());
  DeleteFileOrRenameAside(package_file_.c_str());
}

}  // namespace vireo
