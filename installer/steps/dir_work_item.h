// The directory step. Install and update: confirm (or stage) the main executable in the
// application folder, then deploy the screenshot tool and the content-decryption module
// with their records. Uninstall: delete the application folder, the user's browser data and
// the emptied product folders.
#pragma once

#include "installer/work_item.h"

namespace vireo {

class CDirWorkItem : public CWorkItem {
 public:
  // Install: false only when the main executable cannot be put in place; the optional
  // components never fail the step. Uninstall: false when the application folder or the
  // user-data folder is still there afterwards (every action is attempted regardless).
  bool DoImpl() override;
  // Removes a staged "new_vireo.exe" and a saved-aside "old_vireo.exe" from an application
  // folder that looks like an installation; a replaced executable is not restored.
  void RollbackImpl() override;

 private:
  bool Install();
  bool Uninstall();
};

}  // namespace vireo
