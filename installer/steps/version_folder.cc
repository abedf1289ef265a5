#include "installer/steps/version_folder.h"

#include <windows.h>

#include "support/fixed_path.h"
#include "support/scoped_handle.h"

namespace vireo {

bool IsVersionFolderName(std::wstring_view name) {
  // A scanf-style "%u.%u.%u.%u" match would also take signs, blanks and overflowing
  // numbers ("-1.2.3.4", "1. 2.3.4"); only plain digit runs are version numbers.
  constexpr uint32_t kLargestPart = 0xFFFF;
  int parts = 0;
  size_t i = 0;
  while (true) {
    uint32_t value = 0;
    size_t digits = 0;
    while (i < name.size() && name[i] >= L'0' && name[i] <= L'9') {
      value = value * 10 + static_cast<uint32_t>(name[i] - L'0');
      if (value > kLargestPart) return false;
      ++digits;
      ++i;
    }
    if (digits == 0) return false;
    ++parts;
    if (i == name.size()) return parts == 4;
    if (name[i] != L'.' || parts == 4) return false;
    ++i;
  }
}

void EnumerateVersionFolders(const wchar_t* folder, VersionFolderVisitor visitor, void* context) {
  if (!folder || !*folder || !visitor || !context) return;
  FixedPath pattern;
  if (!pattern.Assign(folder) || !pattern.Append(L"*")) return;
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L".." || !IsVersionFolderName(name)) continue;
    if (visitor(JoinPath(folder, name), context)) return;
  } while (::FindNextFileW(find.get(), &data));
}

}  // namespace vireo
