#include "installer/widevine_cdm.h"

#include <windows.h>

#include "installer/component_records.h"
#include "installer/json_version.h"
#include "support/fixed_path.h"
#include "support/string_util.h"

namespace vireo {
namespace {

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool Exists(const std::wstring& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFile(const std::wstring& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDir(const std::wstring& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool HasWidevineCdmFiles(const std::wstring& folder) {
  if (folder.empty() || !IsDir(folder)) return false;
  if (!Exists(JoinPath(folder, L"manifest.json"))) return false;
  for (const wchar_t* library : {L"_platform_specific\\win_x64\\widevinecdm.dll",
                                 L"_platform_specific\\win_x86\\widevinecdm.dll",
                                 L"_platform_specific\\win_arm64\\widevinecdm.dll"}) {
    if (IsFile(JoinPath(folder, library))) return true;
  }
  return false;
}

void WriteWidevineRecord(const std::wstring& widevine_dir, const std::wstring& version) {
  if (widevine_dir.empty() || version.empty()) return;
  const std::wstring record = JoinPath(widevine_dir, kInstalledRecordName);
  if (Exists(record)) {
    wchar_t recorded[kJsonVersionChars] = {};
    if (ReadJsonVersion(record.c_str(), recorded) && EqualsIgnoreAsciiCase(recorded, version)) return;
    // Whatever the record names, even text that is not a four-number version, is kept as
    // long as that folder holds a usable module.
    if (recorded[0] && HasWidevineCdmFiles(JoinPath(widevine_dir, recorded))) return;
  }
  const std::string text = FormatWidevineRecord(version, CurrentLastCheckMillis());
  if (text.empty()) return;
  WriteRecordFile(record, text, CREATE_ALWAYS);
}

}  // namespace vireo
