#include "support/module_instance.h"

#include "support/fixed_path.h"

namespace vireo {
namespace {
HINSTANCE g_instance = nullptr;
}  // namespace

HINSTANCE GetModuleInstance() { return g_instance ? g_instance : ::GetModuleHandleW(nullptr); }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::wstring GetSelfExePath() {
  wchar_t buf[kPathCapacity + 1];
  const DWORD n = ::GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
  // A result that fills the buffer was truncated: refuse it rather than use a wrong path.
  if (n == 0 || n > kMaxPathChars) return {};
  return std::wstring(buf, n);
}

}  // namespace vireo
