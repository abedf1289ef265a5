// Removing the entries a step created below a folder, and nothing else.
#pragma once

#include <string>
#include <vector>

namespace vireo {

// Deletes the listed entries (paths relative to |folder|), deepest first: files with
// DeleteFileW, folders with RemoveDirectoryW, so a folder that still holds something not
// listed stays. Nothing happens for a null or empty |folder|, one not strictly below a root,
// or an empty list. An entry is skipped when its path holds two consecutive dots anywhere,
// is rooted or names a drive, is missing, would exceed 260 characters, or lies below a
// reparse point (so nothing outside |folder| is reached through a junction). Failures are
// ignored.
void RemoveCreatedEntries(const wchar_t* folder, const std::vector<std::wstring>& entries);

}  // namespace vireo
