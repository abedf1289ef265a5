// The 7-Zip module: written from the installer's resources into the temporary folder,
// loaded once per process and unloaded after the last extraction.
//
// The state is process-wide and unlocked: call these from one thread at a time.
#pragma once

#include <windows.h>

#include "archive/seven_zip_abi.h"

namespace vireo {

// Writes the resource (|type|, |name|) of |module| to "<temp>\7z.dll", loads it and resolves
// "CreateObject". Idempotent: once loaded, returns true without touching the file again.
// False when the temporary folder is unknown or too long, the file cannot be written (for
// example because another process has it loaded), or the module does not load or lacks the
// export (it is then freed again).
bool LoadArchivePlugin(HMODULE module, const wchar_t* type, const wchar_t* name);

// Forgets the export, frees the module and clears the loaded state. The file stays.
void UnloadArchivePlugin();

// The resolved "CreateObject", or null when nothing is loaded.
CreateObjectFunc GetArchiveCreateEntry();

// Loads "7z.dll" through the system's library search order when nothing is loaded yet and
// resolves its export; a module without it is freed again. Returns GetArchiveCreateEntry().
CreateObjectFunc LoadArchivePluginByBareName();

}  // namespace vireo
