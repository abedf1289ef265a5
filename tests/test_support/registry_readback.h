// Reading registry values back exactly as stored (type and raw bytes), for tests that check
// what the installer wrote under HKEY_CURRENT_USER as the process sees it.
#pragma once

#include <windows.h>

#include <string>

namespace vireo::test {

struct RegValue {
  bool exists = false;
  DWORD type = 0;
  std::string bytes;  // raw data as stored
};
RegValue ReadRegValue(const wchar_t* key, const wchar_t* name);
bool RegKeyExists(const wchar_t* key);
// The stored bytes of a string value as UTF-16 (no terminator handling).
std::wstring AsWide(const RegValue& v);
// A string value as text, one stored terminator dropped; empty when the value is missing.
std::wstring ReadRegString(const wchar_t* key, const wchar_t* name);

}  // namespace vireo::test
