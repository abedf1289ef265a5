// The version-resource entries of "version.dll", from System32 (system_library.h). The
// library is not one of the system's known DLLs, so the program does not import it.
//
//  VA1. GetVersionApi loads the library once per process, on first call from either thread
//       (it loads nothing that touches the window system), and keeps it until the process
//       ends.
//  VA2. It answers null when the library or one of the entries is missing; file versions
//       then read as "none" (file_version.h).
#pragma once

#include <windows.h>

namespace vireo {

struct VersionApi {
  // Typed from the system's own declarations; nothing here is linked against.
  decltype(&::GetFileVersionInfoSizeW) info_size = nullptr;
  decltype(&::GetFileVersionInfoW) info = nullptr;
  decltype(&::VerQueryValueW) query_value = nullptr;
};

// VA1, VA2.
const VersionApi* GetVersionApi();

}  // namespace vireo
