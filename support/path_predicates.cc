#include "support/path_predicates.h"

#include <windows.h>
#include <shlwapi.h>

#include "support/fixed_path.h"

namespace vireo {

bool HasPathBelowRoot(const wchar_t* path) {
  if (!path || !*path) return false;
  FixedPath copy;
  if (!copy.Assign(path)) return false;
  for (wchar_t* p = copy.data(); *p; ++p) {
    if (*p == L'/') *p = L'\\';
  }
  ::PathRemoveBackslashW(copy.data());
  if (::PathIsRelativeW(copy.c_str()) || ::PathIsRootW(copy.c_str())) return false;
  const wchar_t* rest = ::PathSkipRootW(copy.c_str());
  return rest && *rest;
}

}  // namespace vireo
