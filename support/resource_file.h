// Writing an embedded resource out to a file.
#pragma once

#include <windows.h>

namespace vireo {

// Writes the resource |name| of |type| in |module| to |file|, creating it or truncating an
// existing one (opened without sharing, so a file in use by anyone else is not touched).
// False when an argument is null, the resource is missing, the file cannot be created, or
// fewer bytes than the resource holds were written.
bool ExtractResourceToFile(HMODULE module, const wchar_t* file, const wchar_t* type, const wchar_t* name);

}  // namespace vireo
