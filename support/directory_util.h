// Creating folders and copying folder trees.
#pragma once

namespace vireo {

// True when |path| is (now) a directory. Something else at the path (a file) is made
// writable and deleted first. False for null or empty paths or when creation fails.
bool EnsureDirectory(const wchar_t* path);

// Creates every folder along |path| that is followed by a separator ("\" or "/"), so
// "C:\a\b\" creates a and b while "C:\a\b" creates only a. True for a root; false for an
// empty path or one over 260 characters; otherwise the result for the last folder.
bool CreateDirectoryPath(const wchar_t* path);

// Copies the contents of |source| into |target| (created, with its parent, when missing),
// overwriting read-only copies and leaving every copy writable. Entries that fail are
// skipped, the rest still copied; true only when every entry was copied. False when
// |source| is missing or cannot be listed.
bool CopyTree(const wchar_t* source, const wchar_t* target);

}  // namespace vireo
