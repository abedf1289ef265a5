#include "support/tree_delete.h"

#include <windows.h>

#include <cwchar>

#include "support/fixed_path.h"
#include "support/path_predicates.h"
#include "support/scoped_handle.h"

namespace vireo {

bool DeleteTreeRecursive(std::wstring& folder) {
  const size_t base = folder.size();
  folder += L"\\*";
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW(folder.c_str(), &data));
  if (find) {
    do {
      if (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0) continue;
      folder.resize(base + 1);  // keeps the "\"
      folder += data.cFileName;
      const DWORD attrs = data.dwFileAttributes;
      const bool is_dir = attrs & FILE_ATTRIBUTE_DIRECTORY;
      const bool is_link = attrs & FILE_ATTRIBUTE_REPARSE_POINT;
      // A link's attributes are left alone: changing them may reach through to its target.
      if ((attrs & FILE_ATTRIBUTE_READONLY) && !is_link) ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (is_dir && is_link) {
        // A junction or directory link: removing the directory entry removes only the link.
        // Descending would delete the target's contents, which may lie anywhere. Links that
        // the system exposes as file-like (Wine's view of Unix links) go with DeleteFileW,
        // which can never remove a directory's contents.
        if (!::RemoveDirectoryW(folder.c_str())) ::DeleteFileW(folder.c_str());
      } else if (is_dir) {
        DeleteTreeRecursive(folder);
      } else {
        ::DeleteFileW(folder.c_str());
      }
    } while (::FindNextFileW(find.get(), &data));
    find.reset();
  }
  folder.resize(base);
  return ::RemoveDirectoryW(folder.c_str()) != FALSE;
}

bool DeleteTree(const wchar_t* folder) {
  if (!HasPathBelowRoot(folder)) return false;  // also refuses over-long paths
  FixedPath copy;
  if (!copy.Assign(folder)) return false;
  for (wchar_t* p = copy.data(); *p; ++p) {
    if (*p == L'/') *p = L'\\';
  }
  copy.RemoveBackslash();
  std::wstring work = copy.str();
  return DeleteTreeRecursive(work);
}

}  // namespace vireo
