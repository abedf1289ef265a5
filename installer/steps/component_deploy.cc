#include "installer/steps/component_deploy.h"

#include <windows.h>

#include "installer/steps/component_records.h"
#include "installer/steps/json_version.h"
#include "installer/steps/widevine_cdm.h"
#include "support/directory_util.h"
#include "support/file_attributes.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/string_util.h"

namespace vireo {
namespace {

// Folder operations take fixed 260-character paths; a longer one is refused rather than
// handed on (it could not name the intended folder anyway).
bool FitsPath(const std::wstring& path) { return !path.empty() && path.size() <= kMaxPathChars; }

// Creates |folder| and its parents; |gle| gets the error code right after the attempt.
bool MakeFolder(const std::wstring& folder, DWORD* gle) {
  const std::wstring with_slash = folder + L"\\";
  if (!FitsPath(with_slash)) {
    *gle = ERROR_FILENAME_EXCED_RANGE;
    return false;
  }
  const bool made = CreateDirectoryPath(with_slash.c_str());
  *gle = ::GetLastError();
  return made && IsDirectoryAt(folder);
}

}  // namespace

bool DeployScreenshotTool(const std::wstring& app_dir, const std::wstring& source_dir) {
  if (app_dir.empty()) return false;
  const std::wstring components = JoinPath(app_dir, L"components");
  const std::wstring tool_dir = JoinPath(components, L"Screenshot");
  const std::wstring deployed = JoinPath(tool_dir, L"Screenshot.exe");
  if (IsFileAt(deployed)) return true;

  const std::wstring source = JoinPath(source_dir, L"Screenshot.exe");
  if (!IsFileAt(source)) return false;
  // A tool found inside the components folder itself is not copied onto itself.
  if (StartsWithIgnoreAsciiCase(source, components + L"\\")) return IsFileAt(deployed);

  DWORD gle = 0;
  if (!MakeFolder(tool_dir, &gle)) {
    CInstallLog::Get().Write(L"[dir] optional tool mkdir failed: %s gle=%u", tool_dir.c_str(), gle);
    return false;
  }
  if (!::CopyFileW(source.c_str(), deployed.c_str(), TRUE)) {
    gle = ::GetLastError();
    CInstallLog::Get().Write(L"[dir] optional tool copy failed: %s -> %s gle=%u", source.c_str(), deployed.c_str(),
                             gle);
    return false;
  }
  const std::wstring record = JoinPath(tool_dir, kInstalledRecordName);
  if (PathExistsAt(record)) return true;  // an existing record is never rewritten
  WriteRecordFile(record, FormatScreenshotRecord(CurrentLastCheckMillis()), CREATE_NEW);
  return true;
}

bool DeployWidevineCdm(const std::wstring& version_dir, const std::wstring& user_data_dir) {
  const std::wstring module = JoinPath(version_dir, L"WidevineCdm");
  if (!HasWidevineCdmFiles(module)) return false;
  wchar_t version[kJsonVersionChars] = {};
  if (!ReadJsonVersion(JoinPath(module, L"manifest.json").c_str(), version)) return false;

  const std::wstring widevine_dir = JoinPath(user_data_dir, L"WidevineCdm");
  const std::wstring target = JoinPath(widevine_dir, version);
  if (HasWidevineCdmFiles(target)) {
    WriteWidevineRecord(widevine_dir, version);
    return true;
  }
  DWORD gle = 0;
  if (!MakeFolder(target, &gle)) {
    CInstallLog::Get().Write(L"[dir] widevine mkdir failed: %s gle=%u", target.c_str(), gle);
    return false;
  }
  const bool copied = CopyTree(module.c_str(), target.c_str());
  gle = ::GetLastError();
  if (!copied || !HasWidevineCdmFiles(target)) {
    CInstallLog::Get().Write(L"[dir] widevine copy failed: %s -> %s gle=%u", module.c_str(), target.c_str(), gle);
    return false;
  }
  WriteWidevineRecord(widevine_dir, version);
  return true;
}

}  // namespace vireo
