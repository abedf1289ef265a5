#include "installer/ui/install_folder.h"

#include <windows.h>
#include <shlwapi.h>

#include "support/fixed_path.h"
#include "support/string_util.h"

namespace vireo {

std::wstring TrimToExistingFolder(std::wstring text) {
  while (!text.empty() && !::PathIsDirectoryW(text.c_str())) {
    const size_t cut = text.find_last_of(L"\\/");
    if (cut == std::wstring::npos) {
      text.clear();
    } else {
      text.resize(cut);
    }
  }
  return text;
}

std::wstring MapChosenFolder(const std::wstring& chosen, const std::wstring& default_root,
                             const std::wstring& product_name, const std::wstring& product_en) {
  if (chosen.empty() || chosen.size() > kMaxPathChars) return std::wstring();
  const std::wstring root = WithTrailingBackslash(default_root);
  if (!default_root.empty() && StartsWithIgnoreAsciiCase(chosen, root)) {
    return WithoutTrailingBackslash(root);
  }
  wchar_t path[kPathCapacity];
  chosen.copy(path, chosen.size());
  path[chosen.size()] = L'\0';
  const wchar_t* append = nullptr;
  if (::PathIsRootW(path)) {
    append = product_name.c_str();
  } else if (!product_en.empty() && !EqualsIgnoreAsciiCase(::PathFindFileNameW(path), product_en)) {
    append = product_en.c_str();
  }
  // PathAppendW refuses a result longer than the buffer rather than cutting it.
  if (append && !::PathAppendW(path, append)) return std::wstring();
  return path;
}

}  // namespace vireo
