// The registry step: the product key (statistics opt-in, distribution channel), the
// application-path entry through which the shell and later installer runs find the browser,
// and the uninstall entry of the list of installed programs. Everything lives under
// HKEY_CURRENT_USER. Uninstall and roll-back remove all of it plus the browser's auto-start
// value.
#pragma once

#include "installer/work_item.h"

namespace vireo {

class CRegWorkItem : public CWorkItem {
 public:
  // Install mode: writes the three groups; false only when no uninstaller is found
  // (error_text_ says so). Uninstall mode: removes everything and returns true.
  bool DoImpl() override;
  // Removes every entry, whatever DoImpl got to.
  void RollbackImpl() override;

  // "usagestats" = DWORD 1 every time; "ichannel" = the configured channel only when the
  // existing value cannot be read into 260 bytes (a readable one is never replaced).
  void WriteUsageStatsValues();
  // Deletes the App Paths key, then writes the long forms of the main executable (default
  // value) and of the application folder without trailing backslash ("Path").
  void WriteAppPathsEntry();
  // Deletes the uninstall key, then writes its values. False (with error_text_ set, and only
  // "DisplayName" written) when the uninstaller cannot be located.
  bool WriteUninstallEntry();
  // Run\Vireo value, uninstall key, App Paths key, product key; failures are ignored.
  void RemoveRegistryEntries();
};

}  // namespace vireo
