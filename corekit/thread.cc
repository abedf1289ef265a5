#include "corekit/thread.h"

#include <process.h>

namespace corekit {

Thread::~Thread() { Join(); }

unsigned __stdcall Thread::ThreadProc(void* self) {
  static_cast<Thread*>(self)->Run();
  return 0;
}

bool Thread::Create() {
  if (handle_) return false;
  unsigned id = 0;
  // _beginthreadex rather than CreateThread so the C runtime sets up its per-thread data.
  const uintptr_t raw = ::_beginthreadex(nullptr, 0, &ThreadProc, this, 0, &id);
  HANDLE handle = reinterpret_cast<HANDLE>(raw);
  // 0 is the documented failure; 1 and -1 are never real handles either.
  if (raw == 0 || raw == 1 || handle == INVALID_HANDLE_VALUE) {
    thread_id_.store(0);
    return false;
  }
  handle_.reset(handle);
  thread_id_.store(id);
  if (priority_ != 0) ::SetThreadPriority(handle, priority_);
  return true;
}

void Thread::Join() {
  if (!handle_) return;
  // On the thread itself a wait could never end; the handle is simply given up.
  if (::GetCurrentThreadId() != thread_id_.load() &&
      ::WaitForSingleObject(handle_.get(), INFINITE) == WAIT_FAILED) {
    ::TerminateThread(handle_.get(), 0);
  }
  handle_.reset();
  thread_id_.store(0);
}

}  // namespace corekit
