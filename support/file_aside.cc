#include "support/file_aside.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

#include "support/file_attributes.h"
#include "support/fixed_path.h"

namespace vireo {
namespace {

// Deletes |file|; true when done one way or another (deleted, or failed for a reason
// other than the file being locked).
bool DeletedOrNotLocked(const wchar_t* file) {
  if (::DeleteFileW(file)) return true;
  return ::GetLastError() != ERROR_ACCESS_DENIED;
}

}  // namespace

void DeleteFileOrRenameAside(const wchar_t* file) {
  if (!file || !*file) return;
  if (DeletedOrNotLocked(file)) return;
  ::SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
  if (DeletedOrNotLocked(file)) return;

  FixedPath source;
  if (!source.Assign(file)) return;
  // The volume root keeps the file on the same volume, so the move is a rename that works
  // on a running executable.
  FixedPath root(source.view());
  if (!::PathStripToRootW(root.data())) root.Assign(L"\\");
  root.SyncLength();
  if (!root.AddBackslash()) return;
  FixedPath stem = root;
  if (!stem.Concat(FileNamePart(source.view()))) return;

  FixedPath aside;
  for (int n = 0; n <= 99; ++n) {
    wchar_t suffix[8];
    std::swprintf(suffix, std::size(suffix), L".d%02d", n);
    aside = stem;
    if (!aside.Concat(suffix)) return;
    if (n == 99) break;  // the last name is taken even when it exists
    if (!PathExistsAt(aside.c_str())) break;
    ::SetFileAttributesW(aside.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::DeleteFileW(aside.c_str())) break;
  }
  if (::MoveFileExW(source.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
}

}  // namespace vireo
