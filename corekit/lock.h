// The one lock type of the task-thread library: a critical section.
//
// The spin count of 2000 lets a short contended section (appending to a queue, swapping it
// out) be waited for without a kernel transition. Locks are recursive, like every critical
// section; nothing in this library relies on that.
#pragma once

#include <windows.h>

namespace corekit {

class Lock {
 public:
  static constexpr DWORD kSpinCount = 2000;

  Lock() { ::InitializeCriticalSectionAndSpinCount(&section_, kSpinCount); }
  ~Lock() { ::DeleteCriticalSection(&section_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void Acquire() { ::EnterCriticalSection(&section_); }
  void Release() { ::LeaveCriticalSection(&section_); }
  bool Try() { return ::TryEnterCriticalSection(&section_) != FALSE; }

 private:
  CRITICAL_SECTION section_;
};

// Holds |lock| for the lifetime of the object.
class AutoLock {
 public:
  explicit AutoLock(Lock& lock) : lock_(lock) { lock_.Acquire(); }
  ~AutoLock() { lock_.Release(); }
  AutoLock(const AutoLock&) = delete;
  AutoLock& operator=(const AutoLock&) = delete;

 private:
  Lock& lock_;
};

}  // namespace corekit
