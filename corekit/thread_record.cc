#include "corekit/thread_record.h"

#include "corekit/thread_local_slot.h"

namespace corekit {
namespace {

constinit ThreadLocalSlot g_record_slot;

}  // namespace

ThreadRecord* CurrentThreadRecord() { return static_cast<ThreadRecord*>(g_record_slot.Get()); }

void SetCurrentThreadRecord(ThreadRecord* record) { g_record_slot.Set(record); }

}  // namespace corekit
