#include "installer/steps/reg_work_item.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>
#include <string>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "support/file_version.h"
#include "support/fixed_path.h"
#include "support/module_instance.h"
#include "support/path_normalize.h"

namespace vireo {
namespace {

// REG_SZ values are stored without their terminating null, except where a reader is known
// to need it (|with_terminator|). An empty text is a value of 0 bytes.
//
// The registry quietly adds a terminator to a string whose byte count leaves it out when
// the character right after the counted ones is a null, as it always is after c_str(). The
// data is therefore handed over with a non-null guard character behind the counted text, so
// the value keeps exactly the byte count given.
void SetStringValue(const wchar_t* key, const wchar_t* name, const std::wstring& text, bool with_terminator = false) {
  std::wstring data = text;
  size_t chars = text.size();
  if (with_terminator) {
    data.push_back(L'\0');
    ++chars;
  } else {
    data.push_back(L'#');
  }
  ::SHSetValueW(HKEY_CURRENT_USER, key, name, REG_SZ, data.c_str(), static_cast<DWORD>(chars * sizeof(wchar_t)));
}

std::wstring TodayText() {
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  wchar_t text[16] = {};
  std::swprintf(text, 16, L"%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
  return text;
}

}  // namespace

bool CRegWorkItem::DoImpl() {
  if (CInstallOptions::Get().uninstall) {
    ReportProgress(PROGRESS_UNINSTALL_REG, 0);
    RemoveRegistryEntries();
    ReportProgress(PROGRESS_UNINSTALL_REG, 100);
    return true;
  }
  ReportProgress(PROGRESS_REG, 0);
  WriteUsageStatsValues();
  WriteAppPathsEntry();
  if (!WriteUninstallEntry()) return false;
  ReportProgress(PROGRESS_REG, 100);
  return true;
}

void CRegWorkItem::RollbackImpl() { RemoveRegistryEntries(); }

void CRegWorkItem::WriteUsageStatsValues() {
  const DWORD one = 1;
  ::SHSetValueW(HKEY_CURRENT_USER, kProductRegKey, L"usagestats", REG_DWORD, &one, sizeof(one));

  // Any readable value counts as a channel chosen earlier (by a previous install or by the
  // browser) and is kept; only a missing or over-long one is replaced.
  unsigned char existing[260];
  DWORD type = 0;
  DWORD size = sizeof(existing);
  if (::SHGetValueW(HKEY_CURRENT_USER, kProductRegKey, L"ichannel", &type, existing, &size) == ERROR_SUCCESS) return;
  SetStringValue(kProductRegKey, L"ichannel", CInstallOptions::Get().channel);
}

void CRegWorkItem::WriteAppPathsEntry() {
  CInstallOptions& options = CInstallOptions::Get();
  // Deleting first means no value or sub-key of an earlier installation survives.
  ::SHDeleteKeyW(HKEY_CURRENT_USER, kAppPathsRegKey);
  SetStringValue(kAppPathsRegKey, nullptr, LongPathForm(options.GetMainExePath(), kMaxPathChars));
  SetStringValue(kAppPathsRegKey, L"Path", WithoutTrailingBackslash(LongPathForm(options.GetAppDir(), kMaxPathChars)));
}

bool CRegWorkItem::WriteUninstallEntry() {
  CInstallOptions& options = CInstallOptions::Get();
  ::SHDeleteKeyW(HKEY_CURRENT_USER, kUninstallRegKey);

  const std::wstring self = GetSelfExePath();
  const std::wstring own_version = self.empty() ? std::wstring() : GetFileVersionString(self.c_str());

  SetStringValue(kUninstallRegKey, L"DisplayName", kProductName);

  const std::wstring uninstaller = options.GetUninstallerPath();
  if (uninstaller.empty()) {
    error_text_ = kUninstallerMissingMessage;
    return false;
  }

  // The system's program list runs this command line; it is the one value stored with its
  // terminator.
  SetStringValue(kUninstallRegKey, L"UninstallString", L"\"" + uninstaller + L"\" --uninstall", true);

  std::wstring location = LongPathForm(options.GetMainExePath(), kPathCapacity);
  if (!location.empty()) location.assign(ParentPart(location));
  SetStringValue(kUninstallRegKey, L"InstallLocation", location);

  SetStringValue(kUninstallRegKey, L"DisplayIcon", std::wstring(options.GetMainExePath()) + L",0");
  SetStringValue(kUninstallRegKey, L"Publisher", options.company);
  std::wstring version = options.GetCurrentVersion();
  if (version.empty()) version = own_version;
  SetStringValue(kUninstallRegKey, L"DisplayVersion", version);
  SetStringValue(kUninstallRegKey, L"HelpLink", options.homepage);
  SetStringValue(kUninstallRegKey, L"InstallDate", TodayText());
  return true;
}

void CRegWorkItem::RemoveRegistryEntries() {
  ::SHDeleteValueW(HKEY_CURRENT_USER, kRunRegKey, kProductName);
  ::SHDeleteKeyW(HKEY_CURRENT_USER, kUninstallRegKey);
  ::SHDeleteKeyW(HKEY_CURRENT_USER, kAppPathsRegKey);
  ::SHDeleteKeyW(HKEY_CURRENT_USER, kProductRegKey);
}

}  // namespace vireo
