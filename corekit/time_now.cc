#include "corekit/time_now.h"

#include <atomic>

#include "corekit/lock.h"

namespace corekit {
namespace {

DWORD SystemTicks() { return ::GetTickCount(); }

std::atomic<testing::TickSource> g_tick_source{&SystemTicks};

struct ClockState {
  Lock lock;
  DWORD last_ticks = 0;
  int64_t carry_ms = 0;
};

ClockState& State() {
  static ClockState* state = new ClockState;  // never destroyed: threads may read at exit
  return *state;
}

}  // namespace

int64_t TimeNow() {
  ClockState& state = State();
  AutoLock hold(state.lock);
  // Read under the lock: two threads reading outside it could store their readings out of
  // order and fake a wrap.
  const DWORD ticks = g_tick_source.load(std::memory_order_acquire)();
  if (ticks < state.last_ticks) state.carry_ms += int64_t{1} << 32;
  state.last_ticks = ticks;
  return (state.carry_ms + ticks) * 1000;
}

namespace testing {

void SetTickSourceForTesting(TickSource source) {
  ClockState& state = State();
  AutoLock hold(state.lock);
  g_tick_source.store(source ? source : &SystemTicks, std::memory_order_release);
  state.last_ticks = 0;
  state.carry_ms = 0;
}

}  // namespace testing
}  // namespace corekit
