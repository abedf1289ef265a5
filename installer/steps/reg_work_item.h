// The registry step: the product key (statistics opt-in, distribution channel), the
// application-path entry through which the shell and later installer runs find the browser,
// and the uninstall entry of the list of installed programs. Everything lives under
// HKEY_CURRENT_USER. Uninstall removes all of it plus the browser's auto-start value; a
// roll-back puts the three keys back as the run found them.
#pragma once

#include "installer/work_item.h"
#include "support/registry_snapshot.h"

namespace vireo {

class CRegWorkItem : public CWorkItem {
 public:
  // Install mode: first reads the product, App Paths and uninstall keys whole, then writes
  // the three groups. False with error_text_ set when a key cannot be read
  // (kRegistryWriteMessage: nothing is changed then), a registry write or deletion fails
  // (kRegistryWriteMessage, logged with kRegistryWriteFailedLog), or no uninstaller is
  // found. Passes RunCheckpoint::kRegistryWriting between the application-path and the
  // uninstall entry. Uninstall mode: removes everything and returns true.
  bool DoImpl() override;
  // After the install branch: each of the three keys is deleted and, when it existed
  // before, written back with every value and sub-key it had, whatever DoImpl got to (a
  // fresh install thus loses exactly what it wrote). Other keys and values, the browser's
  // auto-start value included, are not touched. After the uninstall branch: nothing.
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
  // Run\Vireo value, uninstall key, App Paths key, product key; failures are ignored.
  void RemoveRegistryEntries();

 private:
  // True for ERROR_SUCCESS; otherwise fails the step for the write of |name| in |key|.
  bool Check(long status, const wchar_t* key, const wchar_t* name);
  bool SetString(const wchar_t* key, const wchar_t* name, const std::wstring& text, bool with_terminator = false);
  bool DeleteKey(const wchar_t* key);
  // Reads the three keys; false (with the step failed) when one cannot be read.
  bool CaptureKeys();

  RegistryKeySnapshot product_before_;
  RegistryKeySnapshot app_paths_before_;
  RegistryKeySnapshot uninstall_before_;
  bool captured_ = false;
};

}  // namespace vireo
