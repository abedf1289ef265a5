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
#include "support/install_log.h"
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
  if (!CInstallOptions::Get().uninstall) return Install();
  ReportProgress(PROGRESS_UNINSTALL_SHORTCUT, 0);
  if (!RemoveLinks()) {
    error_text_ = kShortcutRemoveMessage;
    return false;
  }
  ReportProgress(PROGRESS_UNINSTALL_SHORTCUT, 100);
  return true;
}

bool CShortcutWorkItem::SaveLink(const wchar_t* link, const wchar_t* label, SavedFile* saved) {
  if (!*link) return true;  // no folder for it: the save itself reports that
  *saved = SavedFile::Save(link);
  if (saved->ok()) return true;
  error_text_ = ShortcutFailure(label, HRESULT_FROM_WIN32(saved->error()));
  return false;
}

bool CShortcutWorkItem::Install() {
  CInstallOptions& options = CInstallOptions::Get();
  ReportProgress(PROGRESS_SHORTCUT, 0);
  if (!*GetStartMenuFolder()) {
    error_text_ = kStartMenuPathMessage;
    return false;
  }
  created_start_menu_dir_ = !PathExistsAt(start_menu_dir_.c_str());
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
  if (!SaveLink(GetStartMenuShortcutPath(), kStartMenuShortcutLabel, &start_menu_before_) ||
      !CreateShortcut(start_menu, kStartMenuShortcutLabel, &error_text_, &pinned_start_menu_)) {
    return false;
  }
  ReportProgress(PROGRESS_SHORTCUT, 50);

  // The Start-menu link is simply overwritten by the save; an old desktop link may be held
  // open by the shell, so it is deleted or moved aside first.
  const std::wstring desktop_link = GetDesktopShortcutPath();
  if (!SaveLink(desktop_link.c_str(), kDesktopShortcutLabel, &desktop_before_)) return false;
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

bool CShortcutWorkItem::RemoveLinks() {
  const std::wstring start_menu_link = GetStartMenuShortcutPath();
  const std::wstring desktop_link = GetDesktopShortcutPath();
  {
    ScopedComApartment com;
    UnpinFromTaskbar(start_menu_link.c_str());
    UnpinFromTaskbar(desktop_link.c_str());
  }
  bool all = true;
  for (const std::wstring& link : {start_menu_link, desktop_link}) {
    if (!PathExistsAt(link.c_str())) continue;
    DeleteFileOrRenameAside(link.c_str());
    const DWORD error = ::GetLastError();
    if (!PathExistsAt(link.c_str())) continue;
    all = false;
    CInstallLog::Get().Write(kShortcutRemoveFailedLog, link.c_str(), static_cast<unsigned>(error));
  }
  return all;
}

void CShortcutWorkItem::RollbackImpl() {
  if (pinned_start_menu_) {
    ScopedComApartment com;
    UnpinFromTaskbar(GetStartMenuShortcutPath());
  }
  // A save that never happened (not ok) leaves its link alone.
  for (const SavedFile* saved : {&start_menu_before_, &desktop_before_}) {
    if (saved->ok() && !saved->Restore()) NoteRollbackFailure(saved->path(), ::GetLastError());
  }
  if (created_start_menu_dir_) ::RemoveDirectoryW(start_menu_dir_.c_str());
}

}  // namespace vireo
