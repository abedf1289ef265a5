// Turning an archive item's stored name into the path it is extracted to.
//
// Archives are input from outside: a stored name may try to climb out of the destination
// ("..\x"), name an absolute location ("\x", "\\server\share\x", "C:\x") or rely on the
// file system's own normalisation. Such names are refused, never rewritten into something
// else, so that a hostile archive fails instead of half-installing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vireo {

// True when |name| (as stored, either separator) stays inside the folder it is extracted
// to: it is not rooted, has no drive prefix ("X:"), and no component made only of dots and
// spaces holds two or more dots (Windows trims trailing dots and spaces, so ". ." and
// "... " would act as a parent step). Empty names and "." components are harmless.
bool IsContainedItemName(std::wstring_view name);

// The name as written below the destination: a file item without a name becomes
// "[Content]_<index>"; "/" becomes "\" and ":" becomes "_".
std::wstring MapItemName(std::wstring_view name, uint32_t index, bool is_dir);

// Destination + "\" (unless it is empty or already ends in one) + |mapped|.
std::wstring JoinItemPath(std::wstring_view destination, std::wstring_view mapped);

// Full, normalised form of |path| (GetFullPathNameW; an empty path means the current
// folder). Empty on failure.
std::wstring FullPathOf(const std::wstring& path);

// True when the normalised |full| lies strictly below the normalised folder |root_full|
// (compared with A-Z folded), or equals it when |allow_equal| is set.
bool IsBelowFolder(std::wstring_view root_full, std::wstring_view full, bool allow_equal);

// Creates every ancestor folder of |full| in turn; failures are ignored, the file or folder
// creation that follows reports them.
void CreateAncestorFolders(const std::wstring& full);

}  // namespace vireo
