// The directory step. Install and update: confirm (or stage) the main executable in the
// application folder, then deploy the screenshot tool and the content-decryption module
// with their records. Uninstall: delete the application folder, the user's browser data and
// the emptied product folders.
#pragma once

#include <string>
#include <vector>

#include "installer/steps/folder_additions.h"
#include "installer/work_item.h"
#include "support/replaced_files.h"
#include "support/saved_file.h"

namespace vireo {

class CDirWorkItem : public CWorkItem {
 public:
  // Install: false only when the main executable cannot be put in place; the optional
  // components never fail the step. Uninstall: false when the application folder or the
  // user-data folder is still there afterwards (every action is attempted regardless).
  bool DoImpl() override;
  // Undoes what the install branch did, and nothing else: removes the executables, tool,
  // module, records and folders it created where none existed before, and puts back the
  // executables and the module record it replaced. After the uninstall branch it does
  // nothing (what it deleted is gone).
  void RollbackImpl() override;

 private:
  bool Install();
  bool Uninstall();
  bool DeployMainExe(const std::wstring& app);
  void DeployScreenshot(const std::wstring& app);
  void DeployModule(const std::wstring& app, const std::wstring& user_data);

  ReplacedFiles replaced_exes_;
  std::vector<std::wstring> created_exes_;
  FolderAdditions tool_additions_;    // <app>\components
  FolderAdditions module_additions_;  // <user data>\WidevineCdm
  SavedFile module_record_;           // its installed.json as it was
};

}  // namespace vireo
