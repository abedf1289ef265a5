// Ending processes by executable name, and telling whether a process still runs.
#pragma once

#include <windows.h>

#include <functional>

namespace vireo {

// Answers whether a process's executable file name (as the process snapshot shows it, e.g.
// "vireo.exe") is one to end.
using ProcessNameFilter = std::function<bool(const wchar_t* exe_name)>;

// Terminates (exit code 0) every process whose executable name |filter| accepts together with
// all its descendants, whatever their names, then waits up to 3 s per batch of 64 for them to
// end. The calling process is never terminated and its own descendants are not reached through
// it (they still go when they match themselves). Failures (snapshot, opening, terminating,
// time-outs) are passed over silently.
void KillProcessTrees(const ProcessNameFilter& filter);

// True while process |pid| runs. A process that cannot be opened counts as running unless the
// system says no such process exists (ERROR_INVALID_PARAMETER).
bool IsProcessRunning(DWORD pid);

}  // namespace vireo
