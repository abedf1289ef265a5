#include "corekit/thread_local_slot.h"

namespace corekit {

DWORD ThreadLocalSlot::Index() {
  if (state_.load(std::memory_order_acquire) == 2) return index_;
  LONG expected = 0;
  if (state_.compare_exchange_strong(expected, 1, std::memory_order_acq_rel)) {
    index_ = ::TlsAlloc();
    state_.store(2, std::memory_order_release);
    return index_;
  }
  // Another thread is inside TlsAlloc; it publishes 2 right after.
  while (state_.load(std::memory_order_acquire) != 2) ::Sleep(0);
  return index_;
}

void* ThreadLocalSlot::Get() {
  const DWORD index = Index();
  if (index == TLS_OUT_OF_INDEXES) return nullptr;
  // TlsGetValue clears the last error on success; callers often read GetLastError() of an
  // earlier call, so keep it.
  const DWORD saved = ::GetLastError();
  void* value = ::TlsGetValue(index);
  ::SetLastError(saved);
  return value;
}

bool ThreadLocalSlot::Set(void* value) {
  const DWORD index = Index();
  return index != TLS_OUT_OF_INDEXES && ::TlsSetValue(index, value) != FALSE;
}

}  // namespace corekit
