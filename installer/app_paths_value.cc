#include "installer/app_paths_value.h"

#include <windows.h>
#include <shlwapi.h>

#include "installer/product_constants.h"

namespace vireo {

FixedPath ReadAppPathsValue(const wchar_t* value_name) {
  FixedPath out;
  DWORD type = 0;
  DWORD bytes = static_cast<DWORD>(kMaxPathChars * sizeof(wchar_t));
  if (::SHGetValueW(HKEY_CURRENT_USER, kAppPathsRegKey, value_name, &type, out.data(), &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return FixedPath();
  }
  out.data()[bytes / sizeof(wchar_t)] = L'\0';
  out.SyncLength();
  return out;
}

}  // namespace vireo
