// What an update leaves behind in the application folder, removed when the installer exits:
// "vireo.exe.bak", the "chrome.bak" tree (both after a successful run only) and version
// folders other than the one the installed "vireo.exe" belongs to.
#pragma once

namespace vireo {

// Does nothing unless |app_dir| lies below a drive root and holds one of the product
// executables. Old version folders (IsVersionFolderName, every one but that of "vireo.exe")
// are removed only when a folder named by "vireo.exe"'s version exists: they are kept while
// "new_vireo.exe" waits to be swapped in, when "vireo.exe" has no readable version, and when
// its version names none of the folders (logged as kVersionFoldersKeptLog) — then the
// folder it runs from cannot be told apart, and removing it would break the installed
// browser. The set-aside copies ("vireo.exe.bak", "chrome.bak") go only when
// |run_succeeded| (a run of this process carried out every step): after a roll-back that
// could not put everything back they hold the only copy of the earlier browser's files, and
// while "chrome.bak" is there no version folder is removed either. Errors are ignored.
void RemoveUpdateLeftovers(const wchar_t* app_dir, bool run_succeeded);

}  // namespace vireo
