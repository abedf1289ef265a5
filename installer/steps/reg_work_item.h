// The registry step: the product key (statistics opt-in, distribution channel), the
// application-path entry through which the shell and later installer runs find the browser,
// and the uninstall entry of the list of installed programs. Everything lives under
// HKEY_CURRENT_USER. Uninstall removes all of it plus the browser's auto-start value; a
// roll-back puts back what the run changed and nothing else.
#pragma once

#include "installer/work_item.h"
#include "support/registry_snapshot.h"
#include "support/saved_registry_value.h"

namespace vireo {

class CRegWorkItem : public CWorkItem {
 public:
  // Install mode: first reads the App Paths and uninstall keys whole and the two product
  // values it writes, then writes the three groups. False with error_text_ set when one of
  // them cannot be read (kRegistryWriteMessage: nothing is changed then), a registry write
  // or deletion fails (kRegistryWriteMessage, logged with kRegistryWriteFailedLog), or no
  // uninstaller is found. Passes RunCheckpoint::kRegistryWriting between the
  // application-path and the uninstall entry. Every string is stored with its terminating
  // null. Uninstall mode: attempts every removal; false with kRegistryRemoveMessage when
  // something is still there (each failure logged with kRegistryRemoveFailedLog).
  bool DoImpl() override;
  // After the install branch, whatever DoImpl got to: the App Paths and uninstall keys are
  // brought back in place to what they held (deleted when they did not exist), and the two
  // product values are written back or deleted, the product key deleted only when this run
  // created it and it is empty; the product key is never removed while it holds the
  // browser's own values. Passes RunCheckpoint::kRegistryRestoring between the two product
  // values. Other keys and values, the browser's auto-start value included, are not
  // touched. After the uninstall branch: nothing.
  void RollbackImpl() override;

  // "usagestats" = DWORD 1 every time; "ichannel" = the configured channel only when the
  // existing value cannot be read into 260 bytes (a readable one is never replaced).
  bool WriteUsageStatsValues();
  // Deletes the App Paths key, then writes the long forms of the main executable (default
  // value) and of the application folder without trailing backslash ("Path").
  bool WriteAppPathsEntry();
  // Deletes the uninstall key, then writes its values. False (with error_text_ set, and only
  // "DisplayName" written) when the uninstaller cannot be located.
  bool WriteUninstallEntry();
  // Run\Vireo value, uninstall key, App Paths key, product key; every removal is attempted.
  // True when none is left.
  bool RemoveRegistryEntries();

 private:
  // True for ERROR_SUCCESS; otherwise fails the step for the write of |name| in |key|.
  bool Check(long status, const wchar_t* key, const wchar_t* name);
  bool SetString(const wchar_t* key, const wchar_t* name, const std::wstring& text);
  bool DeleteKey(const wchar_t* key);
  // Reads what the install changes; false (with the step failed) when something cannot be
  // read.
  bool CaptureKeys();

  SavedRegistryValue usage_stats_before_;
  SavedRegistryValue channel_before_;
  RegistryKeySnapshot app_paths_before_;
  RegistryKeySnapshot uninstall_before_;
  bool captured_ = false;
};

}  // namespace vireo
