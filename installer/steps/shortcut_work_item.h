// The shortcut step: "Vireo.lnk" in the user's Start-menu programs folder (pinned to the
// taskbar where that works) and on the desktop, both pointing at the main executable and
// carrying the application id. Uninstall unpins and deletes both; a roll-back puts both
// back as they were before the run.
#pragma once

#include "installer/work_item.h"
#include "support/fixed_path.h"
#include "support/saved_file.h"

namespace vireo {

class CShortcutWorkItem : public CWorkItem {
 public:
  // Install: both links, each within its time limit; false with error_text_ at the first
  // failure (the desktop link is not attempted after a failed Start-menu link). A link that
  // exists but cannot be read is not replaced (it could not be put back): the step fails
  // with the link's failure message and the read's error code. Uninstall: removes the links;
  // false with kShortcutRemoveMessage when one is still there (logged with its path).
  bool DoImpl() override;
  // Puts each link the install touched back as it was: an earlier link gets its bytes
  // back, a link that did not exist is deleted; unpins the Start-menu link only when this
  // run pinned it, and removes the Start-menu folder only when this run created it (and it
  // is empty).
  void RollbackImpl() override;

  // Computed on first use and kept for the life of the step; empty when the shell cannot
  // name the folder.
  const wchar_t* GetStartMenuFolder();
  const wchar_t* GetStartMenuShortcutPath();
  const wchar_t* GetDesktopShortcutPath();

 private:
  bool Install();
  // Uninstall: unpins and deletes both links; missing links are fine. False when one is
  // still there afterwards (logged with kShortcutRemoveFailedLog).
  bool RemoveLinks();
  // Keeps |link| in |saved| before it is replaced; false with error_text_ set when it
  // exists but cannot be read.
  bool SaveLink(const wchar_t* link, const wchar_t* label, SavedFile* saved);

  FixedPath start_menu_dir_;
  FixedPath start_menu_link_;
  FixedPath desktop_link_;
  SavedFile start_menu_before_;
  SavedFile desktop_before_;
  bool pinned_start_menu_ = false;
  bool created_start_menu_dir_ = false;
};

}  // namespace vireo
