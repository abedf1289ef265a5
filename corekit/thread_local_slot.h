// A thread-local pointer slot that allocates its system TLS index on first use.
//
// Slots are meant to be namespace-scope objects (constant-initialised, so they can be used
// from any static initialiser or thread). The index is allocated by the first thread that
// needs it: that thread moves the state word 0 -> 1 with a compare-and-swap, allocates, and
// publishes 2. A thread that finds the state at 1 yields until it reads 2; this short spin is
// the only busy wait in the library and lasts one TlsAlloc call. Indexes are never freed
// before process exit.
#pragma once

#include <windows.h>

#include <atomic>

namespace corekit {

class ThreadLocalSlot {
 public:
  constexpr ThreadLocalSlot() = default;
  ThreadLocalSlot(const ThreadLocalSlot&) = delete;
  ThreadLocalSlot& operator=(const ThreadLocalSlot&) = delete;

  // The calling thread's value; null when never set or when no index could be allocated.
  void* Get();
  // False only when the process has no TLS index left.
  bool Set(void* value);

 private:
  DWORD Index();

  std::atomic<LONG> state_{0};  // 0 = no index, 1 = being allocated, 2 = ready
  DWORD index_ = TLS_OUT_OF_INDEXES;
};

}  // namespace corekit
