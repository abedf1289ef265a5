// An uninstaller runs from inside the folder it deletes, and a running program cannot delete
// itself. So it hands its run to a private copy in a fresh temporary folder and ends; the
// copy removes the installation and, when it ends, itself.
//
//  UH1. Only a program without a package that lies in the version folder of an installation
//       (AppDirOfUninstaller names an installation folder) hands over. It makes a fresh
//       folder "vunXXXX.tmp" in the temporary folder, copies itself there as
//       "uninstaller.exe" and starts the copy, in that folder, with its own switches plus
//       "appdir" (the installation) and "handover" (its process id). The copy inherits a
//       delete-on-close handle to its own file, so the system deletes the file once the copy
//       has ended. Then this process ends with 0 before doing anything else. When any of
//       that fails, the folder is removed and the uninstaller runs in place (and stays
//       behind afterwards).
//  UH2. The copy ("handover" present) first waits, at most 10 s, for the process it was
//       handed over by to end, so that no file of the installation is in use by it.
//  UH3. When the copy ends it deletes what it can of its folder: everything but the log of
//       a failed run (exit status other than 0), which the user was shown. What remains
//       (its own running file, should the inherited handle not take it, and the folder) is
//       scheduled for deletion at the next start of the system, or, where that is refused,
//       at the user's next logon (a RunOnce command of this user).
//  UH4. A hand-over first removes the empty "vunXXXX.tmp" folders that copies of earlier
//       runs left behind; folders that still hold anything (a running copy, a kept log)
//       stay.
#pragma once

#include <optional>

namespace vireo {

// UH1 and UH2, called by the entry point before anything else: the exit status when this
// process has handed its run over, nothing when it goes on.
std::optional<int> HandOverUninstall();

// UH3, called by the entry point with the run's exit status; nothing for any other process.
void RemoveHandedOverCopy(int exit_code);

}  // namespace vireo
