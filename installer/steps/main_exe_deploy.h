// Putting a new main executable (vireo.exe) into the application folder, also while the old
// one runs.
#pragma once

namespace vireo {

class ReplacedFiles;

// Places |source| as |app_dir|\vireo.exe. True when the folder ends up with a usable new
// main executable:
// - |source| is that vireo.exe itself (unpacked in place): true when new_vireo.exe is
//   already staged or vireo.exe is not in use; false when it is missing or in use.
// - vireo.exe is in use: |source| is staged as new_vireo.exe (moved, replacing an older
//   staged file) for the browser to swap in later. A staged file whose version is at least
//   |source|'s is kept, |source| is left alone, and the answer is true.
// - otherwise |source| is moved onto vireo.exe; if that fails, vireo.exe is first moved to
//   old_vireo.exe.
// False for null/empty arguments, a missing source or paths over 260 characters.
//
// With |replaced|, every file this replaces or deletes (a staged new_vireo.exe, vireo.exe,
// an old_vireo.exe) is set aside there first, so that a roll-back can put it back; one that
// cannot be set aside is left alone and the answer is false.
bool DeployMainProcessExe(const wchar_t* source, const wchar_t* app_dir, ReplacedFiles* replaced = nullptr);

}  // namespace vireo
