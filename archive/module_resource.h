// Writing the 7-Zip module out of the installer's resources. The build stores the module
// gzip-compressed (the full module with its fast decoders fits the installer's size budget
// only that way); a resource that is the module itself is written as it is.
#pragma once

#include <windows.h>

namespace vireo {

// The largest module an inflated resource may produce; a stream that would write more is
// refused rather than filling the disk.
inline constexpr unsigned long long kMaxInflatedModuleBytes = 64ull << 20;

// Writes the resource (|type|, |name|) of |module| to |file| (created or truncated, opened
// without sharing). A resource that starts with the gzip signature is inflated on the way,
// in pieces, never held whole in memory; any other resource is copied byte for byte.
// False when an argument is null, the resource is missing, the file cannot be created or
// written, or the gzip stream is corrupt, truncated, followed by other bytes, fails its
// check sum or inflates beyond kMaxInflatedModuleBytes. On false the file may hold part of
// the output; the caller deletes it.
bool WriteModuleResource(HMODULE module, const wchar_t* file, const wchar_t* type, const wchar_t* name);

}  // namespace vireo
