#include "support/os_version.h"

#include <windows.h>

namespace vireo {
namespace {

// The layout RtlGetVersion fills (RTL_OSVERSIONINFOW, 276 bytes).
struct RtlOsVersionInfo {
  ULONG size;
  ULONG major;
  ULONG minor;
  ULONG build;
  ULONG platform;
  WCHAR csd[128];
};
static_assert(sizeof(RtlOsVersionInfo) == 276);

using RtlGetVersionFn = LONG(WINAPI*)(RtlOsVersionInfo*);

}  // namespace

bool ReadOsVersion(OsVersion* out) {
  if (!out) return false;
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return false;
  auto fn = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
  if (!fn) return false;
  RtlOsVersionInfo info = {};
  info.size = sizeof(info);
  if (fn(&info) != 0) return false;  // STATUS_SUCCESS
  out->major = info.major;
  out->minor = info.minor;
  out->build = info.build;
  return true;
}

int WindowsVersionCode(unsigned long major, unsigned long minor, unsigned long build) {
  if (major == 5) {
    if (minor == 0) return 1;
    if (minor == 1) return 2;
    if (minor == 2) return 6;
    return 0;
  }
  if (major == 6) {
    switch (minor) {
      case 0: return 7;
      case 1: return 11;
      case 2: return 12;
      case 3: return 13;
      default: return 0;
    }
  }
  if (major == 10) return build < 22000 ? 14 : 15;
  return 0;
}

std::wstring WindowsVersionName(int code) {
  switch (code) {
    case 2: return L"XP";
    case 6: return L"Server 2003";
    case 7: return L"Vista";
    case 11: return L"7";
    case 12: return L"8";
    case 13: return L"8.1";
    case 14: return L"10";
    case 15: return L"11";
    default: return {};
  }
}

std::wstring GetOsVersionName() {
  // Only the statistics task on the worker thread asks; the function-local static is
  // initialised once even so.
  static const int code = [] {
    OsVersion v;
    return ReadOsVersion(&v) ? WindowsVersionCode(v.major, v.minor, v.build) : 0;
  }();
  return WindowsVersionName(code);
}

}  // namespace vireo
