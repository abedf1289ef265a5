#include "support/module_instance.h"

#include "support/fixed_path.h"

namespace vireo {
namespace {
HINSTANCE g_instance = nullptr;
}  // namespace

HINSTANCE GetModuleInstance() { return g_instance ? g_instance : ::GetModuleHandleW(nullptr); }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::wstring GetFullSelfExePath() {
  // Paths beyond MAX_PATH are possible (long-path aware systems, \\?\ prefixes); grow the
  // buffer until the answer is no longer truncated instead of guessing a size.
  std::wstring buf(kPathCapacity, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

std::wstring GetSelfExePath() {
  std::wstring path = GetFullSelfExePath();
  if (path.size() > kMaxPathChars) path.clear();
  return path;
}

}  // namespace vireo
