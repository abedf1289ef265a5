// A system event object. Auto-reset and not signalled unless asked otherwise.
#pragma once

#include <windows.h>

#include "support/scoped_handle.h"

namespace corekit {

class WaitableEvent {
 public:
  enum class ResetPolicy { kAuto, kManual };

  explicit WaitableEvent(ResetPolicy reset = ResetPolicy::kAuto, bool initially_signaled = false);
  WaitableEvent(const WaitableEvent&) = delete;
  WaitableEvent& operator=(const WaitableEvent&) = delete;

  // False only when the event could not be created; every wait then fails at once.
  bool valid() const { return handle_.valid(); }
  HANDLE handle() const { return handle_.get(); }

  void Signal();
  void Reset();
  // Waits without a time limit; false when the wait itself failed.
  bool Wait();
  // True when the event was signalled within |timeout_ms| milliseconds.
  bool TimedWait(DWORD timeout_ms);

 private:
  vireo::ScopedHandle handle_;
};

}  // namespace corekit
