#include "tests/test_support/scoped_env.h"

#include <windows.h>

namespace vireo::test {

ScopedEnvVar::ScopedEnvVar(const wchar_t* name, const wchar_t* value) : name_(name) {
  // 32767 characters is the system's limit for one variable.
  std::wstring buffer(32767, L'\0');
  const DWORD n = ::GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > 0 && n < buffer.size()) old_ = buffer.substr(0, n);
  ok_ = ::SetEnvironmentVariableW(name, value) != FALSE;
}

ScopedEnvVar::~ScopedEnvVar() { ::SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr); }

}  // namespace vireo::test
