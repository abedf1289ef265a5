// Moving a folder's contents one level up into another folder, merging with what is there.
#pragma once

namespace vireo {

class ReplacedFiles;

// Moves every entry of |source| into |destination|: folders present on both sides are
// merged recursively (the emptied source folder is then removed), everything else is moved
// over the destination entry. A file that stands in the way (of a file or of a folder) is
// set aside in |replaced| first, so that a roll-back can put it back; one that cannot be set
// aside is not replaced. The application folder's vireo.exe is put in place through
// DeployMainProcessExe (with |replaced|), which stages the new one beside a running one.
// Entries that cannot be moved stay in |source|, are logged, and make the result false; the
// others are still moved. Passes RunCheckpoint::kHoisting after every move. False for null
// or empty paths, a null |replaced| or a source that cannot be listed.
bool HoistDirectory(const wchar_t* source, const wchar_t* destination, ReplacedFiles* replaced);

}  // namespace vireo
