// The per-thread record of a thread that runs a FrameworkThread body.
//
// Kept in a thread-local slot; created by the body when it starts (unless the thread
// already has one) and deleted when the body ends. Only its own thread touches it.
#pragma once

namespace corekit {

class FrameworkThread;

struct ThreadRecord {
  FrameworkThread* thread = nullptr;
  int registration_count = 0;
  int registered_id = -1;
};

// The calling thread's record; null on a thread that runs no framework thread body.
ThreadRecord* CurrentThreadRecord();
void SetCurrentThreadRecord(ThreadRecord* record);

}  // namespace corekit
