// The first install step: unpacks the browser's files from the installer's resources into
// the application folder and remembers which entries it created, so that its roll-back
// removes exactly those.
//
// The package resource ("PACKAGE"/"IDR_ZIP_PACKAGE" of GetModuleInstance()) is a 7z archive
// holding "chrome.7z"; that one holds the browser below the top folder "Chrome-bin", whose
// contents end up directly in the application folder.
#pragma once

#include <string>
#include <vector>

#include "installer/steps/folder_snapshot.h"
#include "installer/work_item.h"

namespace vireo {

class CUnzipWorkItem : public CWorkItem {
 public:
  CUnzipWorkItem() = default;
  ~CUnzipWorkItem() override = default;

  // Writes the package to a temporary file ("xsc"), extracts it into a temporary folder
  // ("x7z"), extracts "chrome.7z" into GetExtractDir() and hoists "Chrome-bin" one level up.
  // Reports PROGRESS_UNZIP 0..50 for the package and 50..100 for the program archive. On
  // failure sets error_text_ (also logged as "[unzip] ...") and returns false.
  bool DoImpl() override;
  // Removes the created entries, the temporary folder and the temporary package file.
  void RollbackImpl() override;

  // Paths relative to the target folder of every entry that did not exist before the last
  // DoImpl, in ascending case-insensitive order.
  const std::vector<std::wstring>& created_entries() const { return created_entries_; }

 private:
  // Sets error_text_, logs it, returns false.
  bool Fail(const std::wstring& message);
  // created_entries_ = what the target holds now that |before| did not.
  void RecordCreatedEntries(const EntrySet& before);

  std::wstring package_file_;
  std::wstring work_folder_;
  std::wstring target_folder_;
  std::vector<std::wstring> created_entries_;
};

}  // namespace vireo
