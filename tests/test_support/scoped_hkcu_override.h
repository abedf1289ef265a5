// Gives the calling process a private HKEY_CURRENT_USER: a fresh key under the real one is
// mapped over HKEY_CURRENT_USER (RegOverridePredefKey) for the owner's lifetime and deleted
// afterwards, so tests writing per-user registry values never meet each other or the real
// values.
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

  // False when the override could not be set up (the test should fail or skip).
  bool ok() const { return ok_; }
  // Path of the backing key below the real HKEY_CURRENT_USER.
  const std::wstring& backing_key() const { return backing_; }

 private:
  std::wstring backing_;
  HKEY key_ = nullptr;
  bool ok_ = false;
};

// Writes a REG_SZ value (null |name| = default value) below HKEY_CURRENT_USER, creating keys.
bool SetUserString(const wchar_t* key, const wchar_t* name, const std::wstring& value);

}  // namespace vireo::test
