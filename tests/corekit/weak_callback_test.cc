// Rules WC1-WC4 of corekit/weak_callback.h.
#include "corekit/weak_callback.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "corekit/framework_thread.h"
#include "corekit/message_loop_proxy.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::SupportWeakCallback;
using corekit::WaitableEvent;
using corekit_test::kTimeoutMs;

class Owner : public SupportWeakCallback {
 public:
  int value = 0;
};

// WC1: calls go through while the owner lives and do nothing after; a callable with a result
// then yields a default value; arguments are passed on.
TEST(CorekitWeakCallbackTest, LapsesWithItsOwner) {
  auto owner = std::make_unique<Owner>();
  Owner* raw = owner.get();
  auto add = owner->ToWeakCallback([raw](int n) { raw->value += n; });
  auto read = owner->ToWeakCallback([raw] { return raw->value + 100; });
  add(5);
  EXPECT_EQ(read(), 105);
  EXPECT_FALSE(add.Expired());
  owner.reset();
  EXPECT_TRUE(add.Expired());
  add(1);  // would touch freed memory if it ran
  EXPECT_EQ(read(), 0);
}

// WC1 across threads: a callback posted to a busy thread, whose owner is destroyed before it
// runs, does nothing when it runs.
TEST(CorekitWeakCallbackTest, OwnerDestroyedBetweenPostAndRun) {
  class Worker : public corekit::FrameworkThread {
   public:
    Worker() : FrameworkThread("Weak Test") {}
    ~Worker() override { Stop(); }
  } worker;
  ASSERT_TRUE(worker.Start());
  auto proxy = worker.GetProxy();
  WaitableEvent blocked, release, done;
  ASSERT_TRUE(proxy->PostTask([&] {
    blocked.Signal();
    release.TimedWait(kTimeoutMs);
  }));
  ASSERT_TRUE(blocked.TimedWait(kTimeoutMs));
  auto owner = std::make_unique<Owner>();
  bool ran = false;
  ASSERT_TRUE(proxy->PostTask(owner->ToWeakCallback([&ran] { ran = true; })));
  owner.reset();  // the worker cannot run the callback meanwhile: it is blocked
  release.Signal();
  ASSERT_TRUE(proxy->PostTask([&] { done.Signal(); }));
  ASSERT_TRUE(done.TimedWait(kTimeoutMs));
  EXPECT_FALSE(ran);
}

// WC3: threads racing for the first flag all get the same one.
TEST(CorekitWeakCallbackTest, ConcurrentFirstUseSharesOneFlag) {
  for (int round = 0; round < 20; ++round) {
    Owner owner;
    WaitableEvent go(WaitableEvent::ResetPolicy::kManual);
    std::vector<std::shared_ptr<corekit::WeakFlag>> seen(4);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
      threads.emplace_back([&, i] {
        go.TimedWait(kTimeoutMs);
        seen[i] = owner.GetWeakFlag().lock();
      });
    }
    go.Signal();
    for (auto& t : threads) t.join();
    for (int i = 1; i < 4; ++i) ASSERT_EQ(seen[i], seen[0]);
    ASSERT_TRUE(seen[0]);
  }
}

// WC4: a copy of an owner has its own flag; destroying the original leaves the copy's
// callbacks working.
TEST(CorekitWeakCallbackTest, CopiesDoNotShareTheFlag) {
  auto original = std::make_unique<Owner>();
  auto original_callback = original->ToWeakCallback([] {});
  Owner copy = *original;
  int calls = 0;
  auto copy_callback = copy.ToWeakCallback([&calls] { ++calls; });
  original.reset();
  EXPECT_TRUE(original_callback.Expired());
  EXPECT_FALSE(copy_callback.Expired());
  copy_callback();
  EXPECT_EQ(calls, 1);
}

}  // namespace
