// Free space on a volume, for checks made before a run writes its files.
#pragma once

#include <windows.h>

#include <string>

namespace vireo {

// The bytes the calling user may still write on the volume that holds |path|, or would hold
// it: a path that does not exist yet is looked up through its nearest existing ancestor.
// False when no ancestor exists or the system cannot say.
bool FreeBytesAt(const std::wstring& path, ULONGLONG* free);

// Whole megabytes (2^20 bytes) for messages: a need rounded up, so that a shortfall of a few
// bytes never reads as "0 MB"; what is free rounded down.
unsigned NeededMegabytes(ULONGLONG bytes);
unsigned FreeMegabytes(ULONGLONG bytes);

}  // namespace vireo
