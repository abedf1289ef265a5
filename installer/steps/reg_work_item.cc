#include "installer/steps/reg_work_item.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>
#include <string>
#include <utility>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/run_checkpoint.h"
#include "support/file_version.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/module_instance.h"
#include "support/path_normalize.h"

namespace vireo {
namespace {

std::wstring TodayText() {
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  wchar_t text[16] = {};
  std::swprintf(text, 16, L"%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
  return text;
}

}  // namespace

bool CRegWorkItem::Check(long status, const wchar_t* key, const wchar_t* name) {
  if (status == ERROR_SUCCESS) return true;
  error_text_ = kRegistryWriteMessage;
  CInstallLog::Get().Write(kRegistryWriteFailedLog, key, name ? name : L"", static_cast<unsigned>(status));
  return false;
}

// Every string is stored with its terminating null, counted in its size: readers that take
// the size at its word (the system's list of installed programs among them) would otherwise
// read past the end of the text.
bool CRegWorkItem::SetString(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  return Check(::SHSetValueW(HKEY_CURRENT_USER, key, name, REG_SZ, text.c_str(),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
               key, name);
}

bool CRegWorkItem::DeleteKey(const wchar_t* key) {
  const LSTATUS status = ::SHDeleteKeyW(HKEY_CURRENT_USER, key);
  return Check(status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status, key, nullptr);
}

bool CRegWorkItem::CaptureKeys() {
  // What cannot be read whole could not be put back, so nothing is changed at all then.
  usage_stats_before_ = SavedRegistryValue::Save(HKEY_CURRENT_USER, kProductRegKey, L"usagestats");
  channel_before_ = SavedRegistryValue::Save(HKEY_CURRENT_USER, kProductRegKey, L"ichannel");
  if (!usage_stats_before_.ok() || !channel_before_.ok()) return Check(ERROR_ACCESS_DENIED, kProductRegKey, nullptr);
  const std::pair<RegistryKeySnapshot*, const wchar_t*> keys[] = {{&app_paths_before_, kAppPathsRegKey},
                                                                  {&uninstall_before_, kUninstallRegKey}};
  for (const auto& [snapshot, key] : keys) {
    *snapshot = RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, key);
    if (!snapshot->ok()) return Check(ERROR_ACCESS_DENIED, key, nullptr);
  }
  captured_ = true;
  return true;
}

bool CRegWorkItem::DoImpl() {
  if (CInstallOptions::Get().uninstall) {
    ReportProgress(PROGRESS_UNINSTALL_REG, 0);
    if (!RemoveRegistryEntries()) {
      error_text_ = kRegistryRemoveMessage;
      return false;
    }
    ReportProgress(PROGRESS_UNINSTALL_REG, 100);
    return true;
  }
  ReportProgress(PROGRESS_REG, 0);
  if (!CaptureKeys() || !WriteUsageStatsValues() || !WriteAppPathsEntry()) return false;
  PassCheckpoint(RunCheckpoint::kRegistryWriting);
  if (!WriteUninstallEntry()) return false;
  ReportProgress(PROGRESS_REG, 100);
  return true;
}

void CRegWorkItem::RollbackImpl() {
  if (!captured_) return;
  for (const auto& [snapshot, key] : {std::pair{&uninstall_before_, kUninstallRegKey},
                                      std::pair{&app_paths_before_, kAppPathsRegKey}}) {
    if (const long status = snapshot->Restore()) NoteRollbackFailure(std::wstring(L"HKCU\\") + key, status);
  }
  const std::wstring product = std::wstring(L"HKCU\\") + kProductRegKey;
  if (const long status = usage_stats_before_.Restore()) NoteRollbackFailure(product + L" [usagestats]", status);
  PassCheckpoint(RunCheckpoint::kRegistryRestoring);
  if (const long status = channel_before_.Restore()) NoteRollbackFailure(product + L" [ichannel]", status);
}

bool CRegWorkItem::WriteUsageStatsValues() {
  const DWORD one = 1;
  if (!Check(::SHSetValueW(HKEY_CURRENT_USER, kProductRegKey, L"usagestats", REG_DWORD, &one, sizeof(one)),
             kProductRegKey, L"usagestats")) {
    return false;
  }
  // Any readable value counts as a channel chosen earlier (by a previous install or by the
  // browser) and is kept; only a missing or over-long one is replaced.
  unsigned char existing[260];
  DWORD type = 0;
  DWORD size = sizeof(existing);
  if (::SHGetValueW(HKEY_CURRENT_USER, kProductRegKey, L"ichannel", &type, existing, &size) == ERROR_SUCCESS) {
    return true;
  }
  return SetString(kProductRegKey, L"ichannel", CInstallOptions::Get().channel);
}

bool CRegWorkItem::WriteAppPathsEntry() {
  CInstallOptions& options = CInstallOptions::Get();
  // Deleting first means no value or sub-key of an earlier installation survives.
  const std::wstring folder = WithoutTrailingBackslash(LongPathForm(options.GetAppDir(), kMaxPathChars));
  return DeleteKey(kAppPathsRegKey) &&
         SetString(kAppPathsRegKey, nullptr, LongPathForm(options.GetMainExePath(), kMaxPathChars)) &&
         SetString(kAppPathsRegKey, L"Path", folder);
}

bool CRegWorkItem::WriteUninstallEntry() {
  CInstallOptions& options = CInstallOptions::Get();
  if (!DeleteKey(kUninstallRegKey)) return false;

  const std::wstring self = GetSelfExePath();
  const std::wstring own_version = self.empty() ? std::wstring() : GetFileVersionString(self.c_str());

  if (!SetString(kUninstallRegKey, L"DisplayName", kProductName)) return false;

  const std::wstring uninstaller = options.GetUninstallerPath();
  if (uninstaller.empty()) {
    error_text_ = kUninstallerMissingMessage;
    return false;
  }

  std::wstring location = LongPathForm(options.GetMainExePath(), kPathCapacity);
  if (!location.empty()) location.assign(ParentPart(location));
  std::wstring version = options.GetCurrentVersion();
  if (version.empty()) version = own_version;
  return SetString(kUninstallRegKey, L"UninstallString", L"\"" + uninstaller + L"\" --uninstall") &&
         SetString(kUninstallRegKey, L"InstallLocation", location) &&
         SetString(kUninstallRegKey, L"DisplayIcon", std::wstring(options.GetMainExePath()) + L",0") &&
         SetString(kUninstallRegKey, L"Publisher", options.company) &&
         SetString(kUninstallRegKey, L"DisplayVersion", version) &&
         SetString(kUninstallRegKey, L"HelpLink", options.homepage) &&
         SetString(kUninstallRegKey, L"InstallDate", TodayText());
}

bool CRegWorkItem::RemoveRegistryEntries() {
  bool all = true;
  const auto removed = [&all](LSTATUS status, const wchar_t* key, const wchar_t* name) {
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return;
    all = false;
    CInstallLog::Get().Write(kRegistryRemoveFailedLog, key, name, static_cast<unsigned>(status));
  };
  removed(::SHDeleteValueW(HKEY_CURRENT_USER, kRunRegKey, kProductName), kRunRegKey, kProductName);
  for (const wchar_t* key : {kUninstallRegKey, kAppPathsRegKey, kProductRegKey}) {
    removed(::SHDeleteKeyW(HKEY_CURRENT_USER, key), key, L"");
  }
  return all;
}

}  // namespace vireo
