// Environment variables set for a test's lifetime and restored afterwards (to their old
// value, or removed when they had none).
#pragma once

#include <optional>
#include <string>

namespace vireo::test {

class ScopedEnvVar {
 public:
  // A null |value| removes the variable for the lifetime of the guard.
  ScopedEnvVar(const wchar_t* name, const wchar_t* value);
  ~ScopedEnvVar();
  ScopedEnvVar(const ScopedEnvVar&) = delete;
  ScopedEnvVar& operator=(const ScopedEnvVar&) = delete;

  // False when the variable could not be set.
  bool ok() const { return ok_; }

 private:
  std::wstring name_;
  std::optional<std::wstring> old_;
  bool ok_ = false;
};

// Points TMP and TEMP (what GetTempPathW reads) at |folder|, so temporary files of the code
// under test land in a folder the test owns.
class ScopedTempFolderEnv {
 public:
  explicit ScopedTempFolderEnv(const std::wstring& folder)
      : tmp_(L"TMP", folder.c_str()), temp_(L"TEMP", folder.c_str()) {}
  bool ok() const { return tmp_.ok() && temp_.ok(); }

 private:
  ScopedEnvVar tmp_;
  ScopedEnvVar temp_;
};

}  // namespace vireo::test
