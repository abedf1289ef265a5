#include "installer/steps/unzip_work_item.h"

#include <windows.h>

#include <memory>
#include <span>

#include "archive/archive_plugin.h"
#include "archive/extract_archive.h"
#include "archive/stored_member.h"
#include "corekit/value_map.h"
#include "installer/install.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/run_checkpoint.h"
#include "installer/steps/hoist_directory.h"
#include "support/directory_util.h"
#include "support/disk_space.h"
#include "support/file_attributes.h"
#include "support/file_window_reader.h"
#include "support/fixed_path.h"
#include "support/image_file.h"
#include "support/install_log.h"
#include "support/module_instance.h"
#include "support/resource_file.h"
#include "support/temp_file.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

// The program archive is the step's whole bar: the package around it is read in place.
void ReportProgramProgress(int, float percent, std::shared_ptr<void>) { ReportProgress(PROGRESS_UNZIP, percent); }

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

bool CUnzipWorkItem::DoImpl() {
  target_folder_ = CInstallOptions::Get().GetExtractDir();
  // Only one run at a time exists in this session, so a module file carrying this name was
  // left by a run that was ended before it cleaned up.
  RemoveTempLeftovers({kArchiveTempPrefix});

  // Read in place for as long as the process runs: never copied to a file.
  const std::span<const unsigned char> package =
      FindResourceBytes(GetModuleInstance(), L"PACKAGE", L"IDR_ZIP_PACKAGE");
  if (package.empty()) return Fail(kUnzipResourceMessage);

  // A backup area found here belongs to a run that could not put everything back: it may
  // hold the only copy of an earlier browser's files, so it stays (this run's own entries
  // get names of their own beside them) until a run succeeds.
  const std::wstring backup = JoinPath(target_folder_, kReplacedFilesFolderName);
  if (!target_folder_.empty() && IsDirectoryAt(backup)) CInstallLog::Get().Write(kSetAsideFoundLog, backup.c_str());
  replaced_.set_backup_folder(backup);
  additions_.Begin(target_folder_, kReplacedFilesFolderName);

  bool result = false;
  if (!LoadArchivePlugin(GetModuleInstance(), L"PACKAGE", L"IDR_DLL_7Z")) {
    result = Fail(kUnzipInitMessage);
  } else {
    result = ExtractAndHoist(package);
    UnloadArchivePlugin();
  }
  additions_.End();
  return result;
}

bool CUnzipWorkItem::ExtractAndHoist(std::span<const unsigned char> package) {
  // The package stores the program archive as is: it is extracted from where it lies.
  const std::span<const unsigned char> program = FindStoredMember(package, kProgramArchiveName);
  if (program.empty()) return Fail(FormatMessageText(kUnzipPackageFormat, static_cast<unsigned>(UNZIP_EXTRACT_FAILED)));
  // The headers give the unpacked size before anything is written. A size that cannot be
  // read leaves the check to the extraction, which fails the same way.
  UINT64 program_size = 0;
  if (ReadUnpackedSize(program, &program_size) && !EnsureSpace(target_folder_, program_size)) return false;
  PassCheckpoint(RunCheckpoint::kSpaceChecked);
  if (!CreateDirectoryPath(target_folder_.c_str())) return Fail(kUnzipCreateTargetMessage);
  // The session hands this context to every callback; nothing reads it.
  auto context = std::make_shared<corekit::ValueMap>();
  // Read through the program's own file where it can be found there, so the 80 MB of
  // package never join the working set; the mapped bytes otherwise.
  UINT64 file_offset = 0;
  const ScopedFile self = OpenImageFileAt(program, &file_offset);
  const std::unique_ptr<CFileWindowReader> reader = self ? CFileWindowReader::Open(self.get()) : nullptr;
  const int inner = ExtractArchiveBytes(program, target_folder_.c_str(), context, ReportProgramProgress,
                                        reader.get(), file_offset);
  if (inner == UNZIP_DISK_FULL) return FailForSpace(target_folder_, program_size);
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
  NoteRollbackFailures(replaced_.Restore());
}

}  // namespace vireo
