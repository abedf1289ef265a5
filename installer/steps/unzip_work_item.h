// The first install step: unpacks the browser's files from the installer's resources into
// the application folder. Its roll-back leaves the folder exactly as it was: entries the run
// created go, files it replaced come back.
//
// The package resource ("PACKAGE"/"IDR_ZIP_PACKAGE" of GetModuleInstance()) is a 7z archive
// holding "chrome.7z"; that one holds the browser below the top folder "Chrome-bin", whose
// contents end up directly in the application folder.
#pragma once

#include <string>
#include <vector>

#include "installer/steps/folder_additions.h"
#include "installer/work_item.h"
#include "support/replaced_files.h"

namespace vireo {

class CUnzipWorkItem : public CWorkItem {
 public:
  CUnzipWorkItem() = default;
  ~CUnzipWorkItem() override = default;

  // Removes what ended runs left in the temporary folder ("xsc" and "x7z" names), writes the
  // package to a temporary file ("xsc"), extracts it into a temporary folder ("x7z"),
  // extracts "chrome.7z" into GetExtractDir() and hoists "Chrome-bin" one level up. Before
  // each of the three writes the volume written to is measured against what goes there
  // (the package's size, then each archive's unpacked size from its headers), and a
  // shortfall fails the step with kDiskSpaceFormat before anything is written there; so
  // does a volume that fills up during an extraction. Passes RunCheckpoint::kSpaceChecked
  // before the application folder is touched. Every
  // file the hoist replaces is first moved aside into the application folder's
  // "chrome.bak" (removed at exit after a successful run; one found at the start is kept
  // and logged). Reports PROGRESS_UNZIP 0..50 for the package and
  // 50..100 for the program archive; passes RunCheckpoint::kProgramExtracted before the
  // hoist. On failure sets error_text_ (also logged as "[unzip] ...") and returns false.
  bool DoImpl() override;
  // Removes the created entries (the application folder and its parents included, when this
  // run created them and they are empty), puts the replaced files back, and deletes the
  // temporary folder and package file. A replaced file that cannot go back is logged and
  // stays in "chrome.bak".
  void RollbackImpl() override;

  // Paths relative to the target folder of every entry that did not exist before the last
  // DoImpl, in ascending case-insensitive order ("chrome.bak" left out).
  const std::vector<std::wstring>& created_entries() const { return additions_.entries(); }

 private:
  // Sets error_text_, logs it, returns false.
  bool Fail(const std::wstring& message);
  // False with kDiskSpaceFormat (the megabytes |needed| and free) when the volume that
  // holds, or will hold, |path| has less than |needed| bytes free.
  bool EnsureSpace(const std::wstring& path, unsigned long long needed);
  // Fails with kDiskSpaceFormat: the megabytes |needed| and those free at |path| now.
  bool FailForSpace(const std::wstring& path, unsigned long long needed);
  // A failed extraction into |destination|: kDiskSpaceFormat with the free space now when
  // its volume filled up, otherwise |format| with the session's result code.
  bool FailExtraction(const wchar_t* format, int result, const std::wstring& destination, unsigned long long needed);
  // Both extractions and the hoist, with the module loaded; false with error_text_ set.
  bool ExtractAndHoist();

  std::wstring package_file_;
  std::wstring work_folder_;
  std::wstring target_folder_;
  FolderAdditions additions_;
  ReplacedFiles replaced_;
};

}  // namespace vireo
