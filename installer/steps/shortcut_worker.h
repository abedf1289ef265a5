// Saving one shell link, the part that runs on a link's own thread.
#pragma once

#include <windows.h>

#include <propsys.h>

#include <string>

namespace vireo {

// What one link should hold, and (the last two fields) how saving it went.
struct ShortcutRequest {
  std::wstring target;       // empty: the installer's own executable
  std::wstring folder;       // where the link file goes; must not be empty
  std::wstring link_name;    // empty: the target's file name ending in "lnk"
  std::wstring working_dir;  // each of these four only set when not empty
  std::wstring description;
  std::wstring icon_path;    // always with icon index 0
  std::wstring arguments;
  WORD hotkey = 0;           // set only when not 0
  int show_command = SW_SHOWNORMAL;
  bool pin = false;          // pin the saved link to the taskbar where that works
  HRESULT result_code = 0;   // out: the first failing call's HRESULT, 0 until then
  bool success = false;      // out: the link was saved
  bool pinned = false;       // out: this save pinned the link (it was not pinned before)
};

// "<folder>\<link name>", or with an empty name "<folder>\<target file name>" whose last
// three characters become "lnk". Empty when no file name can be taken or the path would
// exceed 260 characters.
std::wstring BuildLinkFilePath(const ShortcutRequest& request);

// Sets System.AppUserModel.ID of a link's property store to |id| (VT_LPWSTR) and commits
// the store. E_OUTOFMEMORY when the value cannot be allocated.
HRESULT SetLinkAppId(IPropertyStore* store, const std::wstring& id);

// Initialises a single-threaded COM apartment, builds and saves the link with its
// application user-model id, pins it when asked and the Windows build allows, and fills the
// request's out fields. Returns 0 on success, 1 on failure (the thread exit code).
DWORD ShortcutWorker(ShortcutRequest* request);

}  // namespace vireo
