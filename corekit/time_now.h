// The library's clock: monotonic microseconds with a resolution of one millisecond.
//
// It is built on the system's 32-bit millisecond tick counter, which wraps after about 49.7
// days. Whenever a reading is smaller than the previous one, 2^32 ms are added to a carry
// that persists for the life of the process, so the value keeps growing across the wrap.
// The last reading and the carry are guarded by a lock; any thread may call TimeNow().
//
// Only differences between readings are meaningful; the origin is the system's boot time.
#pragma once

#include <windows.h>

#include <cstdint>

namespace corekit {

int64_t TimeNow();

namespace testing {

// Replaces the tick counter (GetTickCount) with |source|; null restores the system counter.
// Also forgets the last reading and the carry, so a test starts from a known state. Tests
// only: switching sources while other threads read the clock makes it jump.
using TickSource = DWORD (*)();
void SetTickSourceForTesting(TickSource source);

}  // namespace testing
}  // namespace corekit
