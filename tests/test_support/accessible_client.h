// A screen reader's view of a window (of another process, or of this one): its client object through
// AccessibleObjectFromWindow, children found by name, and the WinEvents it raises, heard
// through an out-of-context hook. Wine delivers nothing to a hook filtered by the target's
// process id together with WINEVENT_SKIPOWNPROCESS, so the hook takes every process and
// keeps the target window's events.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "support/scoped_com.h"

namespace vireo::test {

class AccessibleWindow {
 public:
  // False when the window answers no accessible object.
  bool Connect(HWND window);

  long ChildCount();
  // The child id of the first child named |name|; 0 when there is none.
  long Find(const std::wstring& name);
  std::wstring Name(long id);
  std::wstring Value(long id);
  long Role(long id);
  long State(long id);  // -1 when unreadable
  std::wstring DefaultAction(long id);
  HRESULT DoDefaultAction(long id);
  // The name of the focused child; empty when the client itself or nothing has the focus.
  std::wstring FocusName();
  // The client object itself, for the calls not wrapped here.
  IAccessible* get() const { return client_.get(); }

 private:
  ScopedComPtr<IAccessible> client_;
};

// A child id as the VARIANT the interface takes.
VARIANT ChildVariant(long id);

struct HeardEvent {
  DWORD event;
  long child;
};

// Records EVENT_OBJECT_* events of one window while it lives (this thread must pump).
class WinEventRecorder {
 public:
  explicit WinEventRecorder(HWND window);
  ~WinEventRecorder();
  WinEventRecorder(const WinEventRecorder&) = delete;
  WinEventRecorder& operator=(const WinEventRecorder&) = delete;

  bool ok() const { return hook_ != nullptr; }
  const std::vector<HeardEvent>& events() const { return events_; }
  bool Heard(DWORD event, long child) const;

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                               DWORD thread, DWORD time);
  HWND window_;
  HWINEVENTHOOK hook_ = nullptr;
  std::vector<HeardEvent> events_;
};

}  // namespace vireo::test
