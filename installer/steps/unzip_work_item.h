// The first install step: unpacks the browser's files from the installer's resources into
// the application folder. Its roll-back leaves the folder exactly as it was: entries the run
// created go, files it replaced come back.
//
// The package resource ("PACKAGE"/"IDR_ZIP_PACKAGE" of GetModuleInstance()) is a 7z archive
// holding "chrome.7z" stored as is; that one holds the browser below the top folder
// "Chrome-bin", whose contents end up directly in the application folder. Both are read in
// place from the installer's image: nothing is copied to a temporary file or folder.
#pragma once

#include <span>
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

  // Removes module files ended runs left in the temporary folder ("x7z" names), finds
  // "chrome.7z" inside the package (a package without the resource fails with
  // kUnzipResourceMessage; one that does not store exactly that member as is, truncated or
  // damaged, with kUnzipPackageFormat), extracts it into GetExtractDir() and hoists
  // "Chrome-bin" one level up; every file the hoist replaces is first moved aside into the
  // application folder's "chrome.bak" (removed at exit). Reports PROGRESS_UNZIP 0..100 over
  // the program archive; passes RunCheckpoint::kProgramExtracted before the hoist. On
  // failure sets error_text_ (also logged as "[unzip] ...") and returns false.
  bool DoImpl() override;
  // Removes the created entries (the application folder and its parents included, when this
  // run created them and they are empty) and puts the replaced files back.
  void RollbackImpl() override;

  // Paths relative to the target folder of every entry that did not exist before the last
  // DoImpl, in ascending case-insensitive order ("chrome.bak" left out).
  const std::vector<std::wstring>& created_entries() const { return additions_.entries(); }

 private:
  // Sets error_text_, logs it, returns false.
  bool Fail(const std::wstring& message);
  // The extraction of the program archive found in |package| and the hoist, with the
  // module loaded; false with error_text_ set.
  bool ExtractAndHoist(std::span<const unsigned char> package);

  std::wstring target_folder_;
  FolderAdditions additions_;
  ReplacedFiles replaced_;
};

}  // namespace vireo
