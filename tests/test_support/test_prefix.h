// Whether a folder lies inside the throwaway Wine prefix the test harness made, so that a
// helper that deletes profile folders (the browser's data, its links) refuses to run
// anywhere else: started by mistake on a developer's own Windows machine, or in a Wine
// prefix that is someone's real one, it would delete their browser data.
#pragma once

#include <string>

namespace vireo::test {

// True only when the process runs under Wine, WINEPREFIX names a prefix the harness made
// (its ".vireo-ready" stamp is there) and |windows_path| is a folder inside that prefix's
// drive C (checked by a marker file written through |windows_path| and found again
// through the prefix's Unix path). Otherwise false, with the reason in |why|.
bool IsInsideTestPrefix(const std::wstring& windows_path, std::wstring* why);

}  // namespace vireo::test
