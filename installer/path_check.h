// The check a folder must pass before the installer writes into it, and how an installation
// folder is recognised. The answer of the check is the text the user sees, so the messages
// are part of the interface.
#pragma once

#include <string>

#include "installer/installer_strings.h"
#include "support/path_predicates.h"  // HasPathBelowRoot

namespace vireo {

// Empty when |path| (the application folder, possibly with one trailing backslash) is
// acceptable: it does not exist yet, is an empty directory, already holds an installation,
// or holds the payload's top folder "Chrome-bin" (a run ended while it unpacked). Otherwise
// exactly one of the kPath...Message texts (installer_strings.h), for the first rule that
// fails: null/empty, relative, a root (or nothing below one), not a directory, a non-empty
// foreign directory. A path too long for a 260-character path buffer gets
// kPathInvalidMessage.
// Only reads attributes and lists one directory level; safe on any thread.
std::wstring CheckInstallPath(const wchar_t* path);

// True when |path| is an existing directory holding an entry (file or folder) named
// "vireo.exe", "new_vireo.exe" or "old_vireo.exe". False for null, empty, missing or
// over-long paths.
bool IsInstallDir(const wchar_t* path);

}  // namespace vireo
