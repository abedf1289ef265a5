#include "corekit/waitable_event.h"

namespace corekit {

WaitableEvent::WaitableEvent(ResetPolicy reset, bool initially_signaled)
    : handle_(::CreateEventW(nullptr, reset == ResetPolicy::kManual, initially_signaled, nullptr)) {}

void WaitableEvent::Signal() {
  if (handle_) ::SetEvent(handle_.get());
}

void WaitableEvent::Reset() {
  if (handle_) ::ResetEvent(handle_.get());
}

bool WaitableEvent::Wait() { return TimedWait(INFINITE); }

bool WaitableEvent::TimedWait(DWORD timeout_ms) {
  if (!handle_) return false;
  return ::WaitForSingleObject(handle_.get(), timeout_ms) == WAIT_OBJECT_0;
}

}  // namespace corekit
