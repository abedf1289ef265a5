#include "tests/test_support/registry_readback.h"

#include "support/scoped_handle.h"

namespace vireo::test {

RegValue ReadRegValue(const wchar_t* key, const wchar_t* name) {
  RegValue v;
  ScopedRegKey h;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, h.receive()) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (::RegQueryValueExW(h.get(), name, nullptr, &v.type, nullptr, &size) != ERROR_SUCCESS) return v;
  v.bytes.resize(size);
  if (::RegQueryValueExW(h.get(), name, nullptr, &v.type, reinterpret_cast<BYTE*>(v.bytes.data()), &size) ==
      ERROR_SUCCESS) {
    v.bytes.resize(size);
    v.exists = true;
  }
  return v;
}

bool RegKeyExists(const wchar_t* key) {
  ScopedRegKey h;
  return ::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, h.receive()) == ERROR_SUCCESS;
}

std::wstring AsWide(const RegValue& v) {
  return std::wstring(reinterpret_cast<const wchar_t*>(v.bytes.data()), v.bytes.size() / sizeof(wchar_t));
}

std::wstring ReadRegString(const wchar_t* key, const wchar_t* name) {
  std::wstring text = AsWide(ReadRegValue(key, name));
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

}  // namespace vireo::test
