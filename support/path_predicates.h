// The predicate that guards every destructive file operation: is a path strictly below a
// drive or share root.
#pragma once

namespace vireo {

// True only when |path| names something strictly below a drive or share root. "/" counts
// as "\" and one trailing backslash is ignored. False for null, empty, relative paths,
// "C:\", "C:/", "C:", "\\server\share" and for paths longer than 260 characters (refused
// rather than cut into a different path).
bool HasPathBelowRoot(const wchar_t* path);

}  // namespace vireo
