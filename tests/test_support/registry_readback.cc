#include "tests/test_support/registry_readback.h"

namespace vireo::test {

RegValue ReadRegValue(const wchar_t* key, const wchar_t* name) {
  RegValue v;
  HKEY h = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (::RegQueryValueExW(h, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.bytes.resize(size);
    if (::RegQueryValueExW(h, name, nullptr, &v.type, reinterpret_cast<BYTE*>(v.bytes.data()), &size) ==
        ERROR_SUCCESS) {
      v.bytes.resize(size);
      v.exists = true;
    }
  }
  ::RegCloseKey(h);
  return v;
}

bool RegKeyExists(const wchar_t* key) {
  HKEY h = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return false;
  ::RegCloseKey(h);
  return true;
}

std::wstring AsWide(const RegValue& v) {
  return std::wstring(reinterpret_cast<const wchar_t*>(v.bytes.data()), v.bytes.size() / sizeof(wchar_t));
}

}  // namespace vireo::test
