// Two path predicates that guard every destructive file operation: is a path strictly below
// a drive or share root, and does a folder already hold an installed browser.
#pragma once

namespace vireo {

// True only when |path| names something strictly below a drive or share root. "/" counts
// as "\" and one trailing backslash is ignored. False for null, empty, relative paths,
// "C:\", "C:/", "C:", "\\server\share" and for paths longer than 260 characters (refused
// rather than cut into a different path).
bool HasPathBelowRoot(const wchar_t* path);

// True when |path| is an existing directory holding an entry (file or folder) named
// "vireo.exe", "new_vireo.exe" or "old_vireo.exe". False for null, empty, missing or
// over-long paths.
bool IsInstallDir(const wchar_t* path);

}  // namespace vireo
