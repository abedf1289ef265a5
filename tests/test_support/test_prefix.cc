#include "tests/test_support/test_prefix.h"

#include <windows.h>

#include "support/scoped_handle.h"
#include "tests/test_support/process_runner.h"

namespace vireo::test {
namespace {

bool RunsUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = L"";
  const DWORD n = ::GetEnvironmentVariableW(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? value : L"";
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool IsInsideTestPrefix(const std::wstring& windows_path, std::wstring* why) {
  auto refuse = [why](const wchar_t* reason) {
    if (why) *why = reason;
    return false;
  };
  if (!RunsUnderWine()) return refuse(L"not running under Wine");
  const std::wstring prefix = Environment(L"WINEPREFIX");
  if (prefix.empty() || prefix[0] != L'/') return refuse(L"WINEPREFIX is not set");
  std::wstring prefix_path = L"Z:" + prefix;
  for (wchar_t& c : prefix_path) c = c == L'/' ? L'\\' : c;
  if (!Exists(prefix_path + L"\\.vireo-ready")) return refuse(L"WINEPREFIX is no prefix the test harness made");
  if (windows_path.size() < 3 || _wcsnicmp(windows_path.c_str(), L"C:\\", 3) != 0) {
    return refuse(L"the folder is not on the prefix's drive C");
  }
  // Drive C could be mapped elsewhere: a marker written through the folder's own path must
  // appear below the prefix's drive_c.
  const std::wstring marker = windows_path + L"\\" + UniqueName(L"vireo-prefix-check");
  const std::wstring mirror = prefix_path + L"\\drive_c" + marker.substr(2);
  const ScopedFile file(::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!file.valid()) return refuse(L"the folder cannot be checked");
  return Exists(mirror) || refuse(L"the folder's drive C is not the test prefix's");
}

}  // namespace vireo::test
