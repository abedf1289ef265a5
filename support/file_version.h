// Fixed file versions from version resources: as a 64-bit number (MS word first, so plain
// unsigned comparison orders versions) or as "a.b.c.d" text. 0 / empty mean "none".
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace vireo {

// Empty when the file has no version information or its block is 16384 bytes or larger.
std::wstring GetFileVersionString(const wchar_t* path);
// 0 when the file has none (or its block does not fit the 8000-byte buffer).
uint64_t GetFileVersionNumber(const wchar_t* path);
// Version of |module|'s own version resource (id 1); 0 when it has none.
uint64_t GetSelfVersionNumber(HMODULE module);

}  // namespace vireo
