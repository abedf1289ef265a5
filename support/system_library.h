// Libraries of Windows that are not among its known DLLs (version, wininet, dwmapi, msftedit,
// oleacc, ...). An installer usually runs from the Downloads folder, and a program that
// imports such a library statically, or loads it by bare name, may get a file of that name
// left beside it instead. The program imports only known DLLs; everything else is loaded
// here, from System32 by full path, when a feature first needs it.
//
//  SL1. A SystemLibrary loads "<System32>\<file name>" by that full path; the library's own
//       dependencies come from System32 too. No other folder is ever searched.
//  SL2. The file name must be a plain name: empty names, names with a path separator, a
//       drive colon or "..", and names too long for a 260-character path are refused
//       without loading anything (ERROR_INVALID_NAME, ERROR_FILENAME_EXCED_RANGE).
//  SL3. A library that cannot be loaded leaves the object empty with the load's last-error
//       code in error(); Entry then answers null for every name. A missing export answers
//       null too. Callers turn null into the failure of their own feature, never a crash.
//  SL4. The object owns the module: destroying it frees the library, so nothing obtained
//       from Entry may be called afterwards. Process-wide tables of entries
//       (wininet_api.h, version_api.h) keep theirs for the whole run.
#pragma once

#include <windows.h>

#include <string>

#include "support/scoped_handle.h"

namespace vireo {

// Loads the module at the absolute |path| (a file the program wrote itself, or a System32
// library) with its dependencies taken from System32; loaders without the search flags
// load it by the full path alone. Null on failure, with the thread's last-error set.
HMODULE LoadModuleByFullPath(const std::wstring& path);

// "<System32>\<file_name>", or empty when |file_name| is not a plain name or the path would
// not fit 260 characters (SL2); *error (if given) then says why.
std::wstring SystemLibraryPath(const wchar_t* file_name, DWORD* error = nullptr);

class SystemLibrary {
 public:
  // SL1, SL2, SL3.
  explicit SystemLibrary(const wchar_t* file_name);
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  bool loaded() const { return module_.valid(); }
  // The last-error code of the failed load; 0 once loaded.
  DWORD error() const { return error_; }
  HMODULE get() const { return module_.get(); }

  // The export |name| as the function type Fn; null when absent or nothing is loaded (SL3).
  template <typename Fn>
  Fn Entry(const char* name) const {
    if (!loaded()) return nullptr;
    // GetProcAddress hands back a generic FARPROC; the caller names the export's real type.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
  }

  // Fills |*slot| with the export |name| typed as the slot; false when it is missing.
  template <typename Fn>
  bool Resolve(const char* name, Fn* slot) const {
    *slot = Entry<Fn>(name);
    return *slot != nullptr;
  }

 private:
  ScopedModule module_;
  DWORD error_ = 0;
};

}  // namespace vireo
