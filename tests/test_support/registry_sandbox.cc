#include "tests/test_support/registry_sandbox.h"

#include <shlwapi.h>

#include <atomic>
#include <cwchar>

namespace vireo::test {

ScopedHkcuOverride::ScopedHkcuOverride() {
  static std::atomic<unsigned> counter{0};
  wchar_t name[128];
  std::swprintf(name, 128, L"Software\\VireoTests\\%lu_%lu_%u", ::GetCurrentProcessId(), ::GetTickCount(),
                counter.fetch_add(1));
  key_path_ = name;
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key_path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return;
  }
  ok_ = ::RegOverridePredefKey(HKEY_CURRENT_USER, key) == ERROR_SUCCESS;
  ::RegCloseKey(key);
}

ScopedHkcuOverride::~ScopedHkcuOverride() {
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (!key_path_.empty()) ::SHDeleteKeyW(HKEY_CURRENT_USER, key_path_.c_str());
}

bool SetHkcuString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  return ::SHSetValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace vireo::test
