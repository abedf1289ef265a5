// Rules TR1-TR4 of corekit/thread_registry.h.
#include "corekit/thread_registry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "corekit/framework_thread.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::FrameworkThread;
using corekit::ThreadRegistry;
using corekit::WaitableEvent;
using corekit_test::DestructionProbe;
using corekit_test::kTimeoutMs;
using corekit_test::RunOn;

class PlainThread : public FrameworkThread {
 public:
  PlainThread() : FrameworkThread("Registry Test") {}
  ~PlainThread() override { Stop(); }
};

// TR1: registrations count; the id is released only at the last Unregister.
TEST(CorekitThreadRegistryTest, RegistrationsCount) {
  PlainThread thread;
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(RunOn(thread, [] {
    EXPECT_EQ(ThreadRegistry::CurrentId(), -1);
    EXPECT_EQ(ThreadRegistry::CurrentThread(), nullptr);
    EXPECT_TRUE(ThreadRegistry::Register(5));
    EXPECT_TRUE(ThreadRegistry::Register(5));
    EXPECT_TRUE(ThreadRegistry::Unregister());
    EXPECT_EQ(ThreadRegistry::CurrentId(), 5);
  }));
  WaitableEvent reached;
  EXPECT_TRUE(ThreadRegistry::PostTask(5, [&] { reached.Signal(); }));
  EXPECT_TRUE(reached.TimedWait(kTimeoutMs));
  ASSERT_TRUE(RunOn(thread, [] {
    EXPECT_TRUE(ThreadRegistry::Unregister());
    EXPECT_EQ(ThreadRegistry::CurrentId(), -1);
    EXPECT_EQ(ThreadRegistry::CurrentThread(), nullptr);
    EXPECT_FALSE(ThreadRegistry::Unregister());
  }));
  EXPECT_FALSE(ThreadRegistry::PostTask(5, [] {}));
}

// TR1: an id held by one thread is refused to another and keeps pointing at its holder; a
// registered thread cannot take a second id; negative ids are refused.
TEST(CorekitThreadRegistryTest, ConflictingRegistrationsAreRefused) {
  PlainThread a, b;
  ASSERT_TRUE(a.Start());
  ASSERT_TRUE(b.Start());
  ASSERT_TRUE(RunOn(a, [] { EXPECT_TRUE(ThreadRegistry::Register(7)); }));
  ASSERT_TRUE(RunOn(b, [] {
    EXPECT_FALSE(ThreadRegistry::Register(7));
    EXPECT_EQ(ThreadRegistry::CurrentId(), -1);
    EXPECT_FALSE(ThreadRegistry::Register(-1));
    EXPECT_TRUE(ThreadRegistry::Register(8));
    EXPECT_FALSE(ThreadRegistry::Register(9));
    EXPECT_EQ(ThreadRegistry::CurrentId(), 8);
  }));
  std::atomic<DWORD> ran_on{0};
  WaitableEvent reached;
  ASSERT_TRUE(ThreadRegistry::PostTask(7, [&] {
    ran_on = ::GetCurrentThreadId();
    reached.Signal();
  }));
  ASSERT_TRUE(reached.TimedWait(kTimeoutMs));
  EXPECT_EQ(ran_on.load(), a.thread_id());
  EXPECT_FALSE(ThreadRegistry::PostTask(9, [] {}));
}

// TR3: posting to an id nobody holds fails and destroys the task unrun, on the caller.
TEST(CorekitThreadRegistryTest, PostToUnknownIdDestroysTaskUnrun) {
  bool ran = false;
  std::atomic<DWORD> deleted_on{0};
  auto probe = std::make_shared<DestructionProbe>(&deleted_on);
  EXPECT_FALSE(ThreadRegistry::PostTask(3, [probe, &ran] { ran = true; }));
  EXPECT_FALSE(ThreadRegistry::PostDelayedTask(3, [probe, &ran] { ran = true; }, 0));
  EXPECT_FALSE(ThreadRegistry::PostNonNestableTask(3, [probe, &ran] { ran = true; }));
  EXPECT_EQ(probe.use_count(), 1);
  probe.reset();
  EXPECT_FALSE(ran);
  EXPECT_EQ(deleted_on.load(), ::GetCurrentThreadId());
}

// TR4: threads that run no framework body — the test's own and one made by other means —
// have id -1 and cannot register.
TEST(CorekitThreadRegistryTest, ForeignThreadsHaveNoId) {
  EXPECT_EQ(ThreadRegistry::CurrentId(), -1);
  EXPECT_FALSE(ThreadRegistry::Register(1));
  EXPECT_FALSE(ThreadRegistry::Unregister());
  int id = 0;
  bool registered = true;
  FrameworkThread* current = reinterpret_cast<FrameworkThread*>(1);
  std::thread([&] {
    id = ThreadRegistry::CurrentId();
    registered = ThreadRegistry::Register(1);
    current = ThreadRegistry::CurrentThread();
  }).join();
  EXPECT_EQ(id, -1);
  EXPECT_FALSE(registered);
  EXPECT_EQ(current, nullptr);
}

// TR2: a registration still held when the body ends is dropped with it, so the id is free
// and posts to it fail instead of reaching a finished thread.
TEST(CorekitThreadRegistryTest, RegistrationEndsWithThreadBody) {
  {
    PlainThread thread;
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(RunOn(thread, [] { EXPECT_TRUE(ThreadRegistry::Register(9)); }));
    thread.Stop();
    EXPECT_FALSE(ThreadRegistry::PostTask(9, [] {}));
  }
  PlainThread next;
  ASSERT_TRUE(next.Start());
  ASSERT_TRUE(RunOn(next, [] { EXPECT_TRUE(ThreadRegistry::Register(9)); }));
}

}  // namespace
