// Rules MP1-MP4 of corekit/message_loop_proxy.h: posting after the loop is gone, and where
// the proxy itself is deleted.
#include "corekit/message_loop_proxy.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "corekit/message_loop.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::MessageLoop;
using corekit::MessageLoopProxy;
using corekit::WaitableEvent;
using corekit_test::DestructionProbe;
using corekit_test::kTimeoutMs;

// MP1: once the loop is gone every kind of post returns false and the task is destroyed
// unrun on the posting thread; the last holder then deletes the proxy at once.
TEST(CorekitMessageLoopProxyTest, PostsFailAfterLoopIsGone) {
  std::shared_ptr<MessageLoopProxy> proxy;
  std::thread([&] {
    MessageLoop loop;
    proxy = loop.GetProxy();
    EXPECT_TRUE(proxy->BelongsToCurrentThread());
  }).join();
  ASSERT_TRUE(proxy);
  EXPECT_FALSE(proxy->BelongsToCurrentThread());

  bool ran = false;
  std::atomic<DWORD> deleted_on{0};
  auto probe = std::make_shared<DestructionProbe>(&deleted_on);
  EXPECT_FALSE(proxy->PostTask([probe, &ran] { ran = true; }));
  EXPECT_FALSE(proxy->PostDelayedTask([probe, &ran] { ran = true; }, 1000));
  EXPECT_FALSE(proxy->PostNonNestableTask([probe, &ran] { ran = true; }));
  EXPECT_FALSE(proxy->PostNonNestableDelayedTask([probe, &ran] { ran = true; }, 0));
  EXPECT_EQ(probe.use_count(), 1) << "a refused task was kept";
  probe.reset();
  EXPECT_FALSE(ran);
  EXPECT_EQ(deleted_on.load(), ::GetCurrentThreadId());

  std::weak_ptr<corekit::WeakFlag> alive = proxy->GetWeakFlag();
  proxy.reset();
  EXPECT_TRUE(alive.expired()) << "the last holder must delete an orphaned proxy";
}

// MP4: a reference released on another thread while the loop lives does not delete the
// proxy; it is deleted inside the loop's destruction, on the loop's thread.
TEST(CorekitMessageLoopProxyTest, ProxyDiesOnItsLoopThreadWhileTheLoopLives) {
  WaitableEvent handed_over, released;
  std::shared_ptr<MessageLoopProxy> proxy;
  std::weak_ptr<corekit::WeakFlag> alive;
  bool alive_before_loop_end = false;
  bool dead_after_loop_end = false;
  std::thread owner([&] {
    auto* loop = new MessageLoop;
    proxy = loop->GetProxy();
    alive = proxy->GetWeakFlag();
    handed_over.Signal();
    ASSERT_TRUE(released.TimedWait(kTimeoutMs));
    alive_before_loop_end = !alive.expired();
    delete loop;
    dead_after_loop_end = alive.expired();
  });
  ASSERT_TRUE(handed_over.TimedWait(kTimeoutMs));
  EXPECT_TRUE(proxy->PostTask([] {}));
  proxy.reset();  // not the last reference: the loop holds one
  released.Signal();
  owner.join();
  EXPECT_TRUE(alive_before_loop_end);
  EXPECT_TRUE(dead_after_loop_end);
}

// MP2: posts racing with the loop's destruction either land (and are deleted unrun with the
// loop, on its thread) or are refused; none is lost without being destroyed, none runs.
TEST(CorekitMessageLoopProxyTest, PostsRacingWithDestructionAreNeverLost) {
  std::atomic<int> live{0};
  std::atomic<int> ran{0};
  std::atomic<int> accepted{0}, refused{0};
  WaitableEvent ready, head_start;
  std::shared_ptr<MessageLoopProxy> proxy;
  std::thread owner([&] {
    auto* loop = new MessageLoop;
    proxy = loop->GetProxy();
    ready.Signal();
    // The loop is destroyed while the poster is still posting; it never runs, so the
    // incoming queue is all it has to delete.
    head_start.TimedWait(kTimeoutMs);
    delete loop;
  });
  ASSERT_TRUE(ready.TimedWait(kTimeoutMs));
  std::thread poster([&] {
    while (refused == 0) {
      if (proxy->PostTask([&ran, c = corekit_test::LiveCounter(&live)] { ++ran; })) {
        if (++accepted == 100) head_start.Signal();
      } else {
        ++refused;
      }
    }
  });
  poster.join();
  owner.join();
  EXPECT_GE(accepted, 100);
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(ran, 0);
  EXPECT_EQ(live, 0);
}

}  // namespace
