#include "installer/steps/shortcut_work_item.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/steps/create_shortcut.h"
#include "installer/steps/taskbar_pin.h"
#include "support/directory_util.h"
#include "support/file_aside.h"
#include "support/file_attributes.h"
#include "support/scoped_com.h"

namespace vireo {
namespace {


bool ShellFolder(int csidl, FixedPath* out) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)) || !buffer[0]) return false;
  return out->Assign(buffer);
}

}  // namespace

const wchar_t* CShortcutWorkItem::GetStartMenuFolder() {
  if (start_menu_dir_.empty()) {
    FixedPath programs;
    // Not created by the query: EnsureDirectory below decides about creating it.
    if (ShellFolder(CSIDL_PROGRAMS, &programs) && programs.Append(CInstallOptions::Get().product_cn)) {
      start_menu_dir_ = programs;
    }
  }
  return start_menu_dir_.c_str();
}

const wchar_t* CShortcutWorkItem::GetStartMenuShortcutPath() {
  if (start_menu_link_.empty() && *GetStartMenuFolder()) {
    FixedPath link = start_menu_dir_;
    if (link.Append(kLinkFileName)) start_menu_link_ = link;
  }
  return start_menu_link_.c_str();
}

const wchar_t* CShortcutWorkItem::GetDesktopShortcutPath() {
  if (desktop_link_.empty()) {
    FixedPath desktop;
    if (ShellFolder(CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, &desktop) && desktop.Append(kLinkFileName)) {
      desktop_link_ = desktop;
    }
  }
  return desktop_link_.c_str();
}

bool CShortcutWorkItem::DoImpl() {
  CInstallOptions& options = CInstallOptions::Get();
  if (options.uninstall) {
    ReportProgress(PROGRESS_UNINSTALL_SHORTCUT, 0);
    RollbackImpl();
    ReportProgress(PROGRESS_UNINSTALL_SHORTCUT, 100);
    return true;
  }

  ReportProgress(PROGRESS_SHORTCUT, 0);
  if (!*GetStartMenuFolder()) {
    error_text_ = kStartMenuPathMessage;
    return false;
  }
  if (!EnsureDirectory(start_menu_dir_.c_str())) {
    error_text_ = kStartMenuFolderMessage;
    return false;
  }
  ReportProgress(PROGRESS_SHORTCUT, 25);

  const std::wstring exe = options.GetMainExePath();
  ShortcutRequest start_menu;
  start_menu.target = exe;
  start_menu.folder = start_menu_dir_.str();
  start_menu.link_name = kLinkFileName;
  start_menu.description = kProductName;
  start_menu.icon_path = exe;
  start_menu.show_command = SW_SHOWNORMAL;
  start_menu.pin = true;
  if (!CreateShortcut(start_menu, kStartMenuShortcutLabel, &error_text_)) return false;
  ReportProgress(PROGRESS_SHORTCUT, 50);

  // The Start-menu link is simply overwritten by the save; an old desktop link may be held
  // open by the shell, so it is deleted or moved aside first.
  const std::wstring desktop_link = GetDesktopShortcutPath();
  if (PathExistsAt(desktop_link.c_str())) DeleteFileOrRenameAside(desktop_link.c_str());
  ShortcutRequest desktop;
  desktop.target = exe;
  desktop.folder = std::wstring(ParentPart(desktop_link));
  desktop.link_name = kLinkFileName;
  desktop.description = options.shortcut_comment;
  desktop.icon_path = exe;
  desktop.show_command = SW_SHOWNORMAL;
  desktop.pin = false;
  if (!CreateShortcut(desktop, kDesktopShortcutLabel, &error_text_)) return false;

  ReportProgress(PROGRESS_SHORTCUT, 100);
  return true;
}

void CShortcutWorkItem::RollbackImpl() {
  const std::wstring start_menu_link = GetStartMenuShortcutPath();
  const std::wstring desktop_link = GetDesktopShortcutPath();
  {
    ScopedComApartment com;
    UnpinFromTaskbar(start_menu_link.c_str());
    UnpinFromTaskbar(desktop_link.c_str());
  }
  if (PathExistsAt(start_menu_link.c_str())) DeleteFileOrRenameAside(start_menu_link.c_str());
  if (PathExistsAt(desktop_link.c_str())) DeleteFileOrRenameAside(desktop_link.c_str());
}

}  // namespace vireo
