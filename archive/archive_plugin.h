// The 7-Zip module: written from the installer's resources into a file that belongs to this
// run only, loaded from there by its full path, and deleted again after the last extraction.
//
// Rules:
//  AP1. LoadArchivePlugin writes the module into a new file with a unique name in the user's
//      temporary folder (MakeTempFilePath with kArchiveTempPrefix) and loads it by that
//      full path; the module's own dependencies come from System32 only. A file another
//      program put in the temporary folder, a "7z.dll" there included, is never written,
//      read or loaded.
//  AP2. No module is ever loaded by a bare name through the system's search order.
//  AP3. Once loaded, LoadArchivePlugin answers true without touching any file again.
//  AP4. A load that fails (no temporary folder, resource missing, file not written, a
//      compressed module that does not inflate whole, module not loadable or without
//      "CreateObject") frees what it loaded, deletes its file and
//      answers false.
//  AP5. UnloadArchivePlugin frees the module and then deletes its file.
//  AP6. The state is process-wide and unlocked: call these from one thread at a time.
#pragma once

#include <windows.h>

#include "archive/seven_zip_abi.h"

namespace vireo {

// The prefix of the temporary names extraction uses: the module's file here, and the work
// folder of the installer's extraction step.
inline constexpr wchar_t kArchiveTempPrefix[] = L"x7z";

// Writes the resource (|type|, |name|) of |module| to a file of its own (inflating it when
// it is gzip-compressed, see module_resource.h), loads it and resolves "CreateObject"
// (AP1, AP3, AP4).
bool LoadArchivePlugin(HMODULE module, const wchar_t* type, const wchar_t* name);

// Forgets the export, frees the module, deletes its file (AP5).
void UnloadArchivePlugin();

// The resolved "CreateObject", or null when nothing is loaded.
CreateObjectFunc GetArchiveCreateEntry();

// The file the loaded module came from; empty when nothing is loaded.
const wchar_t* GetArchiveModulePath();

}  // namespace vireo
