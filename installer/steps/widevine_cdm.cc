#include "installer/steps/widevine_cdm.h"

#include <windows.h>

#include "installer/steps/component_records.h"
#include "installer/steps/json_version.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/string_util.h"

namespace vireo {

bool HasWidevineCdmFiles(const std::wstring& folder) {
  if (folder.empty() || !IsDirectoryAt(folder)) return false;
  if (!PathExistsAt(JoinPath(folder, L"manifest.json"))) return false;
  for (const wchar_t* library : {L"_platform_specific\\win_x64\\widevinecdm.dll",
                                 L"_platform_specific\\win_x86\\widevinecdm.dll",
                                 L"_platform_specific\\win_arm64\\widevinecdm.dll"}) {
    if (IsFileAt(JoinPath(folder, library))) return true;
  }
  return false;
}

void WriteWidevineRecord(const std::wstring& widevine_dir, const std::wstring& version) {
  if (widevine_dir.empty() || version.empty()) return;
  const std::wstring record = JoinPath(widevine_dir, kInstalledRecordName);
  if (PathExistsAt(record)) {
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
