// Small integer identifiers for framework threads, so any thread can post to "thread 2"
// without holding a pointer to it.
//
// One process-wide map from id to FrameworkThread, created on first use (safely when
// several threads get there at once) and never destroyed, guarded by its own lock.
//
// Rules:
//  TR1. Only a thread running a FrameworkThread body can register, under a non-negative id
//      that no other thread holds. Registering again under the same id counts up; each
//      registration needs its own Unregister, and the id is released at the last one.
//      A thread holds one id at a time: registering under another id while registered
//      fails and changes nothing.
//  TR2. A thread's registration ends at the latest when its body ends, so the map never
//      points at a thread that has finished (and may have been destroyed).
//  TR3. PostTask returns true when the task was queued on the target's loop. An unknown id,
//      a thread without a loop, or a loop that has just gone away gives false; the task is
//      then destroyed without running, on the calling thread, outside the registry lock.
//  TR4. CurrentId() is -1 on any thread that runs no framework thread body or holds no id.
#pragma once

#include <cstdint>

#include "corekit/task.h"

namespace corekit {

class FrameworkThread;

class ThreadRegistry {
 public:
  ThreadRegistry() = delete;

  static bool Register(int id);
  static bool Unregister();
  static bool PostTask(int id, Task task);
  // Same, delayed by |delay_us| microseconds, or non-nestable.
  static bool PostDelayedTask(int id, Task task, int64_t delay_us);
  static bool PostNonNestableTask(int id, Task task);

  // The calling thread's object when it is registered, else null.
  static FrameworkThread* CurrentThread();
  static int CurrentId();

  // Called by the thread body as it ends: drops whatever registration is left.
  static void ReleaseCurrentThread();
};

}  // namespace corekit
