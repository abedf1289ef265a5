// Reading the application-path registration of the main executable (HKEY_CURRENT_USER,
// kAppPathsRegKey), through which earlier installations are found and guarded.
#pragma once

#include "support/fixed_path.h"

namespace vireo {

// A string value of the registration: |value_name| null or empty for the default value (the
// registered main executable), "Path" for the registered application folder. Empty when the
// value is missing, not a string, or larger than the 520-byte path buffer (a value that does
// not fit is refused, not cut into another path).
FixedPath ReadAppPathsValue(const wchar_t* value_name);

}  // namespace vireo
