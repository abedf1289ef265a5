#include "support/temp_file.h"

#include <windows.h>

namespace vireo {

std::wstring MakeTempFilePath(const wchar_t* prefix) {
  // GetTempFileNameW needs room for "\pppXXXX.tmp" (14 characters) after the folder within
  // MAX_PATH, so a folder longer than that cannot host a temporary file.
  wchar_t folder[MAX_PATH];
  const DWORD len = ::GetTempPathW(MAX_PATH, folder);
  if (len == 0 || len >= MAX_PATH - 14) return std::wstring();
  wchar_t path[MAX_PATH];
  if (::GetTempFileNameW(folder, prefix ? prefix : L"", 0, path) == 0) return std::wstring();
  return path;
}

}  // namespace vireo
