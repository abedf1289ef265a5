// Where the process looks for DLLs loaded by bare name. An installer usually runs from the
// Downloads folder, where anyone may have left a DLL named like a system one; such a file
// must never be loaded in its place.
#pragma once

namespace vireo {

// Takes the current folder out of the search (SetDllDirectoryW with an empty text) and,
// where the system offers SetDefaultDllDirectories (looked up by name: systems before
// Windows 8 without its update lack it), restricts the default search to System32, which
// also leaves out the executable's own folder. Call it first thing in the entry point,
// before anything loads a DLL. True when the default search is restricted to System32.
bool RestrictDllSearchToSystem32();

}  // namespace vireo
