// Saving one shell link, the part that runs on a link's own thread.
#pragma once

#include <windows.h>

#include <propsys.h>

#include <memory>
#include <mutex>
#include <string>

namespace vireo {

// Lets the side that waits for a link's thread give up on it for good: once Close() has
// returned, the worker never puts its link in place (a save that hung and finished late
// would otherwise overwrite the link a roll-back put back).
class LinkGate {
 public:
  void Close() {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  // Runs |publish| unless the gate is closed, holding the gate so that Close() waits for
  // it; false when closed.
  template <typename Publish>
  bool PublishUnlessClosed(Publish publish) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    publish();
    return true;
  }

 private:
  std::mutex mutex_;
  bool closed_ = false;
};

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
  // Null: the link is saved in place directly. Otherwise it is saved beside its place as
  // "<link>" with "~" for its last character and moved into place only while the gate is
  // open.
  std::shared_ptr<LinkGate> gate;
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
// request's out fields. Returns 0 on success, 1 on failure (the thread exit code); a gate
// found closed is a failure with E_ABORT, and leaves no file behind.
DWORD ShortcutWorker(ShortcutRequest* request);

}  // namespace vireo
