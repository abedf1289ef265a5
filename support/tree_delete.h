// Recursive folder deletion. Every recursive deletion of the installer goes through
// DeleteTree, which refuses drive and share roots.
#pragma once

#include <string>

namespace vireo {

// Deletes everything below |folder| and then the folder itself; true only when the folder is
// gone. Read-only entries are made writable first; failures of single entries are skipped.
// A junction or directory symbolic link inside the tree is removed as a link and never
// entered, so nothing outside the tree is touched through it. |folder| is used as working
// storage and holds the original text again on return. No root check: call DeleteTree.
bool DeleteTreeRecursive(std::wstring& folder);

// DeleteTreeRecursive on |folder| ("/" taken as "\", one trailing backslash ignored) after
// HasPathBelowRoot: false for roots, relative, empty or over-long (more than 260 characters)
// paths, which are never touched.
bool DeleteTree(const wchar_t* folder);

}  // namespace vireo
