#include "support/replaced_files.h"

#include <windows.h>

#include "support/directory_util.h"
#include "support/file_aside.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

// Without MOVEFILE_COPY_ALLOWED a move to another volume fails instead of copying.
constexpr DWORD kAsideFlags = MOVEFILE_WRITE_THROUGH;
constexpr DWORD kBackFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
constexpr int kMaxNameTries = 10000;

// The saved copy goes back by a replacing move. A file standing in its place is moved aside
// first rather than replaced, so that the one put back keeps its own spelling of the name,
// and returns to its place when the saved copy cannot go back. A file still held open (a
// program started from it) can be renamed all the same. 0 or the system's error code.
DWORD MoveBack(const std::wstring& backup, const std::wstring& original, const std::wstring& displaced) {
  const DWORD attrs = ::GetFileAttributesW(original.c_str());
  bool moved_aside = false;
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY)) {
    ::RemoveDirectoryW(original.c_str());  // only an empty one goes
  } else if (attrs != INVALID_FILE_ATTRIBUTES && !displaced.empty()) {
    moved_aside = ::MoveFileExW(original.c_str(), displaced.c_str(), kAsideFlags) != FALSE;
  }
  if (::MoveFileExW(backup.c_str(), original.c_str(), kBackFlags)) {
    if (moved_aside) DeleteFileOrRenameAside(displaced.c_str());
    return 0;
  }
  const DWORD error = ::GetLastError();
  if (moved_aside) ::MoveFileExW(displaced.c_str(), original.c_str(), kAsideFlags);
  return error;
}

// |path| with its last part spelled as the folder spells it, so that a file put back keeps
// the case of its name even when the caller named it otherwise.
std::wstring SpelledAsOnDisk(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  const ScopedFindHandle find(::FindFirstFileW(path.c_str(), &data));
  return find ? JoinPath(ParentPart(path), data.cFileName) : path;
}

}  // namespace

std::wstring ReplacedFiles::FreeBackupName(const std::wstring& original) const {
  const std::wstring name(FileNamePart(original));
  for (int n = 0; n < kMaxNameTries; ++n) {
    const std::wstring candidate = JoinPath(folder_, std::to_wstring(entries_.size() + n) + L"." + name);
    if (candidate.size() > kMaxPathChars) return {};
    if (!PathExistsAt(candidate)) return candidate;
  }
  return {};
}

bool ReplacedFiles::SetAside(const std::wstring& path) {
  if (!PathExistsAt(path)) return true;
  if (folder_.empty() || path.size() > kMaxPathChars || folder_.size() > kMaxPathChars) return false;
  if (!EnsureDirectory(folder_.c_str())) return false;
  const std::wstring original = SpelledAsOnDisk(path);
  const std::wstring backup = FreeBackupName(original);
  if (backup.empty() || !::MoveFileExW(original.c_str(), backup.c_str(), kAsideFlags)) return false;
  entries_.push_back({original, backup});
  return true;
}

std::vector<RestoreFailure> ReplacedFiles::Restore() {
  std::vector<RestoreFailure> failures;
  if (entries_.empty()) return failures;
  std::vector<Entry> kept;
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    const DWORD error = MoveBack(it->backup, it->original, FreeBackupName(it->original));
    if (error == 0) continue;
    failures.push_back({it->original, error});
    kept.insert(kept.begin(), *it);
  }
  entries_ = std::move(kept);
  ::RemoveDirectoryW(folder_.c_str());  // stays when something could not go back
  return failures;
}

}  // namespace vireo
