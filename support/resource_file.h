// Embedded resources: their bytes in place, and writing one out to a file.
#pragma once

#include <windows.h>

#include <span>

namespace vireo {

// The bytes of the resource |name| of |type| in |module|, used in place: they live as long
// as the module stays loaded. Empty when an argument is null or the resource is missing or
// cannot be loaded.
std::span<const unsigned char> FindResourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name);

// Writes |bytes| to |file|, creating it or truncating an existing one (opened without
// sharing, so a file in use by anyone else is not touched). False when the file cannot be
// created or fewer bytes were written.
bool WriteBytesToFile(const wchar_t* file, std::span<const unsigned char> bytes);

// Writes the resource |name| of |type| in |module| to |file| as WriteBytesToFile does.
// False when an argument is null, the resource is missing, the file cannot be created, or
// fewer bytes than the resource holds were written.
bool ExtractResourceToFile(HMODULE module, const wchar_t* file, const wchar_t* type, const wchar_t* name);

}  // namespace vireo
