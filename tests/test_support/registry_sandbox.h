// Gives a test its own HKEY_CURRENT_USER: a fresh key under the real one is mapped over the
// predefined handle for this process, and removed with everything below it afterwards.
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

  bool ok() const { return ok_; }

 private:
  std::wstring key_path_;
  bool ok_ = false;
};

// Writes a string value (REG_SZ with its terminator) under HKCU, creating keys.
bool SetHkcuString(const wchar_t* key, const wchar_t* name, const std::wstring& value);

}  // namespace vireo::test
