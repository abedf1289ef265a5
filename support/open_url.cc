#include "support/open_url.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>

namespace vireo {
namespace {

// The scheme's program is looked up first so a per-user choice of browser wins over the
// machine default. The lookup's extra argument is the verb, "open": an address there names
// no verb, so the lookup would always fail and leave every page to the shell's fallback.
bool OpenWithAssociatedExecutable(const wchar_t* address) {
  const wchar_t* scheme = std::wcsncmp(address, L"https:", 6) == 0 ? L"https" : L"http";
  wchar_t exe[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (FAILED(::AssocQueryStringW(ASSOCF_NOTRUNCATE | ASSOCF_INIT_DEFAULTTOSTAR, ASSOCSTR_EXECUTABLE, scheme, L"open",
                                 exe, &size)) ||
      !exe[0]) {
    return false;
  }
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = exe;
  info.lpParameters = address;
  info.nShow = SW_SHOWNORMAL;
  return ::ShellExecuteExW(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
}

}  // namespace

void OpenUrl(const wchar_t* address) {
  if (address && *address && OpenWithAssociatedExecutable(address)) return;
  ::ShellExecuteW(nullptr, L"open", address ? address : L"", nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace vireo
