// Saving a link on a thread of its own, with a time limit: shell extensions, antivirus
// scanners and synchronisation clients can make a link save hang, and the install must not
// hang with it.
#pragma once

#include <windows.h>

#include <string>

#include "installer/steps/shortcut_worker.h"

namespace vireo {

inline constexpr DWORD kShortcutTimeoutMs = 30000;

// Runs ShortcutWorker on a copy of |values| on a new thread and waits up to 30 s. On
// failure |error_text| gets the user-facing message (|label| + reason, installer_strings.h)
// and a "[shortcut]" log line is written:
//   thread not started: label + kShortcutThreadSuffix
//   time-out:           label + kShortcutTimeoutSuffix
//   worker failed:      label + kShortcutFailedFormat with the HRESULT
// A timed-out worker is not killed (that could leave shell or COM locks held); it is left
// to finish on its own with the request record it co-owns, which this side no longer reads;
// its gate is closed first, so the link it may still save never reaches the link's place.
// On success |pinned| (when given) says whether this save pinned the link.
bool CreateShortcut(const ShortcutRequest& values, const std::wstring& label, std::wstring* error_text,
                    bool* pinned = nullptr);

// The failure of a link with |hr|: logs "[shortcut] failed hr=0x%08X: <label>" and returns
// label + kShortcutFailedFormat filled with |hr|.
std::wstring ShortcutFailure(const std::wstring& label, HRESULT hr);

// Tests replace the worker to simulate a save that hangs or fails; null restores it.
using ShortcutWorkerFn = DWORD (*)(ShortcutRequest* request);
void SetShortcutWorkerForTesting(ShortcutWorkerFn worker);

}  // namespace vireo
