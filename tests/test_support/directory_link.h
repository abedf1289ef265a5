// Making a junction (or, failing that, a directory symbolic link) for tests of code that must
// not follow links out of a tree.
#pragma once

#include <string>

namespace vireo::test {

// Creates |link| as a junction to the existing folder |target| (both absolute). Falls back to
// a directory symbolic link, and under Wine to a Unix symbolic link (which Wine lists as a
// directory reparse point). Empty on success, else a reason to skip with.
std::wstring MakeDirectoryLink(const std::wstring& link, const std::wstring& target);

// Removes a link made by MakeDirectoryLink (never its target). Wine's RemoveDirectoryW on a
// Unix link removes an empty target instead, so under Wine rm(1) does it.
bool RemoveDirectoryLink(const std::wstring& link);

}  // namespace vireo::test
