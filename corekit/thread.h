// A platform thread whose body is the virtual Run().
//
// Create() starts the system thread; Join() waits for it without a time limit and, should
// the wait itself fail, terminates it; either way the handle is closed afterwards. The
// destructor joins a thread that is still open, so a derived class must stop whatever
// makes its Run() return before its own destructor finishes.
#pragma once

#include <windows.h>

#include <atomic>

#include "support/scoped_handle.h"

namespace corekit {

class Thread {
 public:
  Thread() = default;
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // 0 when the thread is not running (or runs on a thread it did not create).
  DWORD thread_id() const { return thread_id_.load(); }
  bool has_handle() const { return handle_.valid(); }
  // A SetThreadPriority value applied when the thread is created; 0 keeps the default.
  void set_priority(int priority) { priority_ = priority; }

 protected:
  // The thread body; empty in the base.
  virtual void Run() {}

  // Starts a system thread (default stack, not suspended) running Run(). False when a
  // handle is still open or the system refuses; nothing is left behind then.
  bool Create();
  void Join();

  HANDLE handle() const { return handle_.get(); }
  void set_thread_id(DWORD id) { thread_id_.store(id); }

 private:
  static unsigned __stdcall ThreadProc(void* self);

  // Written by the creator and by the thread itself (its body may run on a thread it did
  // not create), read by both.
  std::atomic<DWORD> thread_id_{0};
  vireo::ScopedHandle handle_;
  int priority_ = 0;
};

}  // namespace corekit
