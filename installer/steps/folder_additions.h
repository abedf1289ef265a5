// What a step adds below one folder, so that its roll-back removes exactly that and nothing
// that was there before.
//
// Rules:
//  FA1. Begin(folder) lists what the folder holds now (nothing when it is missing) and which
//      folders along its path do not exist yet, up to the first one that does.
//  FA2. End() records every entry below the folder that Begin did not see (names compared
//      with A-Z folded), leaving out everything below the top-level name given to Begin as
//      excluded (a backup area the step manages itself). Each End replaces the record.
//  FA3. Remove() deletes the recorded entries with RemoveCreatedEntries (deepest first,
//      folders only once empty, never through a link), then those of FA1's missing folders
//      that are empty, deepest first. It can run before End: it then removes only those
//      folders.
//  FA4. A folder that is not strictly below a drive or share root is never touched.
#pragma once

#include <string>
#include <vector>

#include "installer/steps/folder_snapshot.h"

namespace vireo {

class FolderAdditions {
 public:
  void Begin(const std::wstring& folder, const std::wstring& excluded = std::wstring());
  void End();
  void Remove() const;

  const std::wstring& folder() const { return folder_; }
  // Paths relative to the folder, in ascending case-insensitive order.
  const std::vector<std::wstring>& entries() const { return entries_; }

 private:
  std::wstring folder_;
  std::wstring excluded_;
  EntrySet before_;
  std::vector<std::wstring> missing_;  // deepest first
  std::vector<std::wstring> entries_;
};

}  // namespace vireo
