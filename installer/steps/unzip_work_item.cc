#include "installer/steps/unzip_work_item.h"

#include <windows.h>

#include <memory>

#include "archive/archive_plugin.h"
#include "archive/extract_archive.h"
#include "corekit/value_map.h"
#include "installer/install.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/steps/created_entries.h"
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

void CUnzipWorkItem::RecordCreatedEntries(const EntrySet& before) {
  created_entries_ = NewEntries(before, SnapshotFolder(target_folder_.c_str()));
}

bool CUnzipWorkItem::DoImpl() {
  created_entries_.clear();
  target_folder_ = CInstallOptions::Get().GetExtractDir();

  package_file_ = MakeTempFilePath(L"xsc");
  if (package_file_.empty() ||
      !ExtractResourceToFile(GetModuleInstance(), package_file_.c_str(), L"PACKAGE", L"IDR_ZIP_PACKAGE")) {
    return Fail(kUnzipResourceMessage);
  }

  const EntrySet before = IsDirectoryAt(target_folder_) ? SnapshotFolder(target_folder_.c_str()) : EntrySet();

  if (!CreateDirectoryPath(target_folder_.c_str())) {
    if (IsDirectoryAt(target_folder_)) RecordCreatedEntries(before);
    DeleteFileOrRenameAside(package_file_.c_str());
    return Fail(kUnzipCreateTargetMessage);
  }

  // The temporary name doubles as the work folder; the extraction creates the folder itself.
  work_folder_ = MakeTempFilePath(L"x7z");
  bool work_ready = false;
  if (!work_folder_.empty()) {
    DeleteFileOrRenameAside(work_folder_.c_str());
    work_ready = CreateDirectoryPath(work_folder_.c_str());
  }
  bool result = false;
  if (!work_ready || !LoadArchivePlugin(GetModuleInstance(), L"PACKAGE", L"IDR_DLL_7Z")) {
    result = Fail(kUnzipInitMessage);
  } else {
    // The session hands this context to every callback; nothing reads it.
    auto context = std::make_shared<corekit::ValueMap>();
    const int outer = ExtractArchive(package_file_.c_str(), work_folder_.c_str(), context, ReportPackageProgress);
    if (outer != UNZIP_SUCCESS) {
      result = Fail(FormatMessageText(kUnzipPackageFormat, static_cast<unsigned>(outer)));
    } else {
      const std::wstring program = work_folder_ + L"\\chrome.7z";
      const int inner = ExtractArchive(program.c_str(), target_folder_.c_str(), context, ReportProgramProgress);
      if (inner != UNZIP_SUCCESS) {
        result = Fail(FormatMessageText(kUnzipProgramFormat, static_cast<unsigned>(inner)));
      } else {
        const std::wstring top = JoinPath(target_folder_, L"Chrome-bin");
        const bool close = ShouldCloseBrowser();
        if (IsDirectoryAt(top)) {
          if (close) CInstall::KillProcesses();
          if (HoistDirectory(top.c_str(), target_folder_.c_str())) {
            DeleteTree(top.c_str());
            result = true;
          } else {
            result = Fail(kUnzipFilesInUseMessage);
          }
        } else {
          result = true;
          if (close) CInstall::KillProcesses();
        }
      }
    }
    UnloadArchivePlugin();
    DeleteTree(work_folder_.c_str());
  }

  RecordCreatedEntries(before);
  DeleteFileOrRenameAside(package_file_.c_str());
  return result;
}

void CUnzipWorkItem::RollbackImpl() {
  if (!target_folder_.empty() && !created_entries_.empty()) RemoveCreatedEntries(target_folder_.c_str(), created_entries_);
  DeleteTree(work_folder_.c_str());
  DeleteFileOrRenameAside(package_file_.c_str());
}

}  // namespace vireo
