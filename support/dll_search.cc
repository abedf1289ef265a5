#include "support/dll_search.h"

#include <windows.h>

namespace vireo {

bool RestrictDllSearchToSystem32() {
  ::SetDllDirectoryW(L"");
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
  if (!kernel32) return false;
  // GetProcAddress hands back a generic FARPROC; the export's real type is the one above.
  const auto set_default = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(::GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  return set_default && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace vireo
