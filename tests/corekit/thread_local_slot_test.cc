// corekit/thread_local_slot.h: lazy index creation under a race, and per-thread values.
#include "corekit/thread_local_slot.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

// Threads that reach a fresh slot at the same moment share one index and each keep their
// own value; the main thread's value is untouched.
TEST(CorekitThreadLocalSlotTest, RacingFirstUseKeepsValuesPerThread) {
  for (int round = 0; round < 10; ++round) {
    auto* slot = new corekit::ThreadLocalSlot;  // fresh, unallocated slot each round
    corekit::WaitableEvent go(corekit::WaitableEvent::ResetPolicy::kManual);
    constexpr int kThreads = 6;
    std::vector<int> values(kThreads);
    std::vector<bool> ok(kThreads, false);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&, i] {
        go.TimedWait(corekit_test::kTimeoutMs);
        if (!slot->Set(&values[i])) return;
        std::this_thread::yield();
        ok[i] = slot->Get() == &values[i];
      });
    }
    go.Signal();
    for (auto& t : threads) t.join();
    for (int i = 0; i < kThreads; ++i) EXPECT_TRUE(ok[i]) << "thread " << i;
    EXPECT_EQ(slot->Get(), nullptr);
    // Never freed before exit by design; the test leaks its rounds' indexes on purpose.
  }
}

// Reading a slot keeps the caller's last-error code.
TEST(CorekitThreadLocalSlotTest, GetKeepsLastError) {
  static constinit corekit::ThreadLocalSlot slot;
  slot.Set(nullptr);
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  slot.Get();
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
