#include "tests/test_support/scoped_hkcu_override.h"

#include <shlwapi.h>

namespace vireo::test {

ScopedHkcuOverride::ScopedHkcuOverride() {
  GUID guid = {};
  ::CoCreateGuid(&guid);
  wchar_t text[64] = {};
  ::StringFromGUID2(guid, text, 64);
  real_key_ = std::wstring(L"Software\\VireoTests\\") + text;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, real_key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  ok_ = ::RegOverridePredefKey(HKEY_CURRENT_USER, key_) == ERROR_SUCCESS;
}

ScopedHkcuOverride::~ScopedHkcuOverride() {
  if (ok_) ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (key_) ::RegCloseKey(key_);
  if (!real_key_.empty()) {
    ::SHDeleteKeyW(HKEY_CURRENT_USER, real_key_.c_str());
    // Leave no empty parent behind either (fails harmlessly while other tests use it).
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VireoTests");
  }
}

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
