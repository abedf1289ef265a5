// The security identifier of the account the process runs as, in its text form
// ("S-1-5-21-..."). Both the usage report's device id and the per-user shortcut id are
// derived from it.
#pragma once

#include <string>

namespace vireo {

// Reads the user of the current process token. False (and |out| untouched) when the token
// cannot be opened or read, or the identifier cannot be converted.
bool GetCurrentUserSidString(std::wstring* out);

}  // namespace vireo
