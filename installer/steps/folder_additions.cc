#include "installer/steps/folder_additions.h"

#include <windows.h>

#include "installer/steps/created_entries.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/path_predicates.h"
#include "support/string_util.h"

namespace vireo {
namespace {

// |entry| is |name| itself or lies below it.
bool IsAtOrBelow(const std::wstring& entry, const std::wstring& name) {
  if (name.empty() || !StartsWithIgnoreAsciiCase(entry, name)) return false;
  return entry.size() == name.size() || entry[name.size()] == L'\\';
}

}  // namespace

void FolderAdditions::Begin(const std::wstring& folder, const std::wstring& excluded) {
  folder_ = WithoutTrailingBackslash(folder);
  excluded_ = excluded;
  entries_.clear();
  missing_.clear();
  before_ = SnapshotFolder(folder_.c_str());
  for (std::wstring path = folder_; HasPathBelowRoot(path.c_str()) && !PathExistsAt(path);
       path = std::wstring(ParentPart(path))) {
    missing_.push_back(path);
  }
}

void FolderAdditions::End() {
  entries_.clear();
  for (std::wstring& entry : NewEntries(before_, SnapshotFolder(folder_.c_str()))) {
    if (!IsAtOrBelow(entry, excluded_)) entries_.push_back(std::move(entry));
  }
}

void FolderAdditions::Remove() const {
  if (!HasPathBelowRoot(folder_.c_str())) return;
  RemoveCreatedEntries(folder_.c_str(), entries_);
  for (const std::wstring& folder : missing_) ::RemoveDirectoryW(folder.c_str());
}

}  // namespace vireo
