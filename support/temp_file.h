// Unique files in the user's temporary folder.
#pragma once

#include <string>

namespace vireo {

// Creates a new empty file in the user's temporary folder whose name starts with the first
// three characters of |prefix| and returns its full path. Empty when the temporary folder
// cannot be determined or no file could be created there.
std::wstring MakeTempFilePath(const wchar_t* prefix);

}  // namespace vireo
