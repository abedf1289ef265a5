// Redirects HKEY_CURRENT_USER of this process to a fresh private key for the owner's
// lifetime (RegOverridePredefKey), so registry tests neither see nor touch the real user
// hive, and removes that key afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace vireo::test {

class ScopedHkcuOverride {
 public:
  ScopedHkcuOverride();
  ~ScopedHkcuOverride();
  ScopedHkcuOverride(const ScopedHkcuOverride&) = delete;
  ScopedHkcuOverride& operator=(const ScopedHkcuOverride&) = delete;

  // False when the key could not be made or the override was refused.
  bool ok() const { return ok_; }
  // The private key, relative to the real HKEY_CURRENT_USER.
  const std::wstring& real_key() const { return real_key_; }

 private:
  std::wstring real_key_;
  HKEY key_ = nullptr;
  bool ok_ = false;
};

// Registry read-back helpers working on HKEY_CURRENT_USER as the process sees it.
struct RegValue {
  bool exists = false;
  DWORD type = 0;
  std::string bytes;  // raw data as stored
};
RegValue ReadRegValue(const wchar_t* key, const wchar_t* name);
bool RegKeyExists(const wchar_t* key);
// The stored bytes of a REG_SZ read as UTF-16 (no terminator handling).
std::wstring AsWide(const RegValue& v);

}  // namespace vireo::test
