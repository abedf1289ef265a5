#include "tests/test_support/scoped_hkcu_override.h"

#include <shlwapi.h>

#include "tests/test_support/process_runner.h"

namespace vireo::test {

ScopedHkcuOverride::ScopedHkcuOverride() {
  backing_ = L"Software\\VireoTests\\" + UniqueName(L"hkcu");
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, backing_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  ok_ = ::RegOverridePredefKey(HKEY_CURRENT_USER, key_) == ERROR_SUCCESS;
}

ScopedHkcuOverride::~ScopedHkcuOverride() {
  if (ok_) ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (key_) ::RegCloseKey(key_);
  if (!backing_.empty()) ::SHDeleteKeyW(HKEY_CURRENT_USER, backing_.c_str());
}

bool SetUserString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  return ::SHSetValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace vireo::test
