// Which Windows the installer runs on, as reported by the kernel itself (RtlGetVersion is
// not subject to the compatibility shims that make GetVersionEx lie).
#pragma once

#include <string>

namespace vireo {

struct OsVersion {
  unsigned long major = 0;
  unsigned long minor = 0;
  unsigned long build = 0;
};

// RtlGetVersion from ntdll.dll, looked up at run time. False when the module or the entry
// point is missing or the call fails.
bool ReadOsVersion(OsVersion* out);

// The version code of the usage report: 5.0 -> 1, 5.1 -> 2, 5.2 -> 6, 6.0 -> 7, 6.1 -> 11,
// 6.2 -> 12, 6.3 -> 13, 10.x below build 22000 -> 14, 10.x from 22000 -> 15, else 0.
int WindowsVersionCode(unsigned long major, unsigned long minor, unsigned long build);
// "XP", "Server 2003", "Vista", "7", "8", "8.1", "10", "11"; empty for 1, 0 and unknown codes.
std::wstring WindowsVersionName(int code);

// The name of the running Windows; the code is computed once per process (a failed lookup
// is not repeated) and gives the empty text when unknown.
std::wstring GetOsVersionName();

}  // namespace vireo
