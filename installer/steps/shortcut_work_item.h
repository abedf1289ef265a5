// The shortcut step: "Vireo.lnk" in the user's Start-menu programs folder (pinned to the
// taskbar where that works) and on the desktop, both pointing at the main executable and
// carrying the application id. Uninstall and roll-back unpin and delete both.
#pragma once

#include "installer/work_item.h"
#include "support/fixed_path.h"

namespace vireo {

class CShortcutWorkItem : public CWorkItem {
 public:
  // Install: both links, each within its time limit; false with error_text_ at the first
  // failure (the desktop link is not attempted after a failed Start-menu link). Uninstall:
  // removes the links and returns true.
  bool DoImpl() override;
  // Unpins and deletes both links; missing links are fine.
  void RollbackImpl() override;

  // Computed on first use and kept for the life of the step; empty when the shell cannot
  // name the folder.
  const wchar_t* GetStartMenuFolder();
  const wchar_t* GetStartMenuShortcutPath();
  const wchar_t* GetDesktopShortcutPath();

 private:
  FixedPath start_menu_dir_;
  FixedPath start_menu_link_;
  FixedPath desktop_link_;
};

}  // namespace vireo
