// What a folder holds, as a set of relative paths, so that a step can tell afterwards which
// entries it created.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "support/string_util.h"

namespace vireo {

// Relative paths ("a", "a\b.txt"), ordered and compared with the letters A-Z folded to lower
// case: two names differing only in that case are one entry.
using EntrySet = std::set<std::wstring, LessIgnoreAsciiCase>;

// Every file and folder below |folder|, recursively. Folders that are reparse points
// (junctions, links) are listed but not entered. Entries whose full path would exceed 260
// characters are left out (and not entered). Empty for a null, empty or missing folder, or
// one that is not a directory.
EntrySet SnapshotFolder(const wchar_t* folder);

// Entries of |after| that |before| does not hold, in |after|'s order.
std::vector<std::wstring> NewEntries(const EntrySet& before, const EntrySet& after);

}  // namespace vireo
