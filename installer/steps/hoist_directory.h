// Moving a folder's contents one level up into another folder, merging with what is there.
#pragma once

namespace vireo {

// Moves every entry of |source| into |destination|: folders present on both sides are
// merged recursively (the emptied source folder is then removed), everything else is moved
// over the destination entry, replacing a file of the same name (read-only flags are cleared
// first; a file standing where a folder arrives is deleted). A vireo.exe that cannot replace
// the running one in the application folder is staged through DeployMainProcessExe instead.
// Entries that cannot be moved stay in |source|, are logged, and make the result false; the
// others are still moved. False for null or empty paths or a source that cannot be listed.
bool HoistDirectory(const wchar_t* source, const wchar_t* destination);

}  // namespace vireo
