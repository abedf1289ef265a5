// The installer's own module handle, kept by the process entry. Every resource lookup uses
// it, so tests can point it at another image (for example the built installer loaded as a
// data file) to read that image's resources.
#pragma once

#include <windows.h>

#include <string>

namespace vireo {

HINSTANCE GetModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Full path of the running executable, however long (empty only when the system cannot
// tell it).
std::wstring GetFullSelfExePath();

// The same path for code that keeps paths in 260-character buffers: empty when it does not
// fit, rather than cut into a different path.
std::wstring GetSelfExePath();

}  // namespace vireo
