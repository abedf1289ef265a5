// Ordering rules ML1-ML7 of corekit/message_loop.h, on the default (event) pump.
#include "corekit/message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "corekit/message_loop_proxy.h"
#include "corekit/time_now.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::MessageLoop;
using corekit::MessageLoopProxy;
using corekit::Task;
using corekit_test::ArmLoopTimeout;
using corekit_test::DestructionProbe;
using corekit_test::kTimeoutMs;
using corekit_test::LiveCounter;
using namespace std::chrono_literals;

std::atomic<DWORD> g_fake_ticks{0};
DWORD FakeTicks() { return g_fake_ticks.load(); }

class CorekitMessageLoopTest : public ::testing::Test {
 protected:
  void TearDown() override { corekit::testing::SetTickSourceForTesting(nullptr); }

  Task Record(const std::string& name) {
    return [this, name] { order_.push_back(name); };
  }

  std::vector<std::string> order_;
};

// ML1: tasks from two other threads all run once, each thread's in its posting order.
TEST_F(CorekitMessageLoopTest, TasksFromOtherThreadsRunInPostingOrder) {
  MessageLoop loop;
  std::shared_ptr<MessageLoopProxy> proxy = loop.GetProxy();
  constexpr int kPerThread = 2000;
  std::vector<std::pair<int, int>> ran;
  std::atomic<int> finished{0};
  auto poster = [&](int who) {
    for (int i = 0; i < kPerThread; ++i) {
      ASSERT_TRUE(proxy->PostTask([&ran, who, i] { ran.emplace_back(who, i); }));
    }
    // The second poster to finish queues the quit behind every task of both.
    if (++finished == 2) proxy->PostTask([&loop] { loop.Quit(); });
  };
  auto timed_out = ArmLoopTimeout(loop);
  std::thread a(poster, 0), b(poster, 1);
  loop.Run();
  a.join();
  b.join();
  ASSERT_FALSE(*timed_out);
  ASSERT_EQ(ran.size(), size_t{2 * kPerThread});
  int next[2] = {0, 0};
  for (const auto& [who, i] : ran) {
    ASSERT_EQ(i, next[who]) << "thread " << who;
    ++next[who];
  }
}

// ML1/MP3: a delay of 0 (through the proxy or the loop) is immediate and keeps FIFO order with
// plain tasks; the smallest real delay does not.
TEST_F(CorekitMessageLoopTest, ZeroDelayIsImmediate) {
  MessageLoop loop;
  auto proxy = loop.GetProxy();
  ASSERT_TRUE(proxy->PostDelayedTask(Record("proxy-zero"), 0));
  ASSERT_TRUE(proxy->PostTask(Record("proxy-plain")));
  loop.PostDelayedTask(Record("loop-one-us"), 1);
  loop.PostDelayedTask(Record("loop-zero"), 0);
  loop.PostTask(Record("loop-plain"));
  loop.PostDelayedTask([&] { loop.Quit(); }, 5ms);
  loop.Run();
  EXPECT_EQ(order_, (std::vector<std::string>{"proxy-zero", "proxy-plain", "loop-zero",
                                               "loop-plain", "loop-one-us"}));
}

// ML2: delayed tasks run by run time; equal run times in posting order; none before its time
// (the clock is frozen, then moved past every run time at once).
TEST_F(CorekitMessageLoopTest, DelayedTasksRunByTimeThenPostingOrder) {
  g_fake_ticks = 500000;
  corekit::testing::SetTickSourceForTesting(&FakeTicks);
  MessageLoop loop;
  loop.PostDelayedTask(Record("a30"), 30ms);
  loop.PostDelayedTask(Record("b10"), 10ms);
  loop.PostDelayedTask(Record("c20"), 20ms);
  loop.PostDelayedTask(Record("d10"), 10ms);
  loop.PostDelayedTask(Record("e30"), 30ms);
  loop.PostDelayedTask([&] { loop.Quit(); }, 31ms);
  loop.PostTask([&] {
    EXPECT_TRUE(order_.empty()) << "a delayed task ran before its time";
    g_fake_ticks += 100;
  });
  loop.Run();
  EXPECT_EQ(order_, (std::vector<std::string>{"b10", "d10", "c20", "a30", "e30"}));
}

// ML2 on the real clock: the pump sleeps until the earliest task is due and never runs one
// early.
TEST_F(CorekitMessageLoopTest, DelayedTasksWaitForTheirTime) {
  MessageLoop loop;
  std::vector<std::pair<int, int64_t>> ran;  // delay ms, microseconds late
  auto post = [&](int delay_ms) {
    const int64_t posted = corekit::TimeNow();
    loop.PostDelayedTask(
        [&ran, posted, delay_ms] {
          ran.emplace_back(delay_ms, corekit::TimeNow() - posted - delay_ms * 1000);
        },
        int64_t{delay_ms} * 1000);
  };
  post(60);
  post(20);
  post(40);
  loop.PostDelayedTask([&] { loop.Quit(); }, 61ms);
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  ASSERT_FALSE(*timed_out);
  ASSERT_EQ(ran.size(), 3u);
  EXPECT_EQ(ran[0].first, 20);
  EXPECT_EQ(ran[1].first, 40);
  EXPECT_EQ(ran[2].first, 60);
  for (const auto& [delay, late] : ran) EXPECT_GE(late, 0) << delay << " ms task ran early";
}

// ML4: a nested run runs nestable tasks; a non-nestable task waits for the outer run.
TEST_F(CorekitMessageLoopTest, NonNestableTaskWaitsForOuterRun) {
  MessageLoop loop;
  loop.PostTask([&] {
    order_.push_back("outer-begin");
    EXPECT_EQ(loop.run_depth(), 1);
    loop.PostNonNestableTask(Record("non-nestable"));
    loop.PostTask([&] {
      EXPECT_EQ(loop.run_depth(), 2);
      order_.push_back("nestable");
    });
    loop.PostTask([&] { loop.Quit(); });  // ends the nested run only
    loop.Run();
    order_.push_back("outer-end");
    loop.Quit();
  });
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  ASSERT_FALSE(*timed_out);
  EXPECT_EQ(order_,
            (std::vector<std::string>{"outer-begin", "nestable", "outer-end", "non-nestable"}));
  EXPECT_EQ(loop.run_depth(), 0);
}

// ML3: while a task runs nothing else runs from DoWork; allowing nestable tasks is what a
// modal loop inside a task needs (checked here with a nested pump run via the allower).
TEST_F(CorekitMessageLoopTest, NestableTasksAreOffWhileATaskRuns) {
  MessageLoop loop;
  loop.PostTask([&] {
    EXPECT_FALSE(loop.NestableTasksAllowed());
    {
      MessageLoop::ScopedNestableTaskAllower allow(&loop);
      EXPECT_TRUE(loop.NestableTasksAllowed());
    }
    EXPECT_FALSE(loop.NestableTasksAllowed());
    loop.Quit();
  });
  EXPECT_TRUE(loop.NestableTasksAllowed());
  loop.Run();
  EXPECT_TRUE(loop.NestableTasksAllowed());
}

// ML5: Quit lets queued and newly posted due tasks run first; tasks not yet due stay queued
// and are deleted unrun with the loop.
TEST_F(CorekitMessageLoopTest, QuitRunsAlreadyQueuedTasksFirst) {
  std::atomic<int> live{0};
  bool late_ran = false;
  {
    MessageLoop loop;
    loop.PostTask([&] {
      loop.Quit();
      order_.push_back("quit");
      loop.PostTask(Record("posted-after-quit"));
    });
    loop.PostTask(Record("queued-1"));
    loop.PostTask(Record("queued-2"));
    loop.PostDelayedTask([&late_ran, c = LiveCounter(&live)] { late_ran = true; }, 60s);
    loop.Run();
    EXPECT_EQ(order_,
              (std::vector<std::string>{"quit", "queued-1", "queued-2", "posted-after-quit"}));
    EXPECT_EQ(live, 1);
  }
  EXPECT_FALSE(late_ran);
  EXPECT_EQ(live, 0);
}

// ML6: a destroyed loop deletes every queued task without running it — immediate, delayed,
// non-nestable, and the ones posted by the destructors of deleted tasks — all on its
// own thread.
TEST_F(CorekitMessageLoopTest, DestructionDeletesQueuedTasksUnrun) {
  std::atomic<int> live{0};
  std::atomic<int> ran{0};
  std::atomic<DWORD> deleted_on{0};
  DWORD loop_thread = 0;
  std::thread owner([&] {
    loop_thread = ::GetCurrentThreadId();
    auto* loop = new MessageLoop;
    auto proxy = loop->GetProxy();
    // Each generation's destructor posts the next one through the proxy.
    struct Chain {
      Chain(std::shared_ptr<MessageLoopProxy> p, std::atomic<int>* r, std::atomic<int>* l, int n)
          : proxy(std::move(p)), ran(r), live(l), generations_left(n) {}
      Chain(const Chain&) = delete;
      ~Chain() {
        if (generations_left == 0) return;
        auto next = std::make_shared<Chain>(proxy, ran, live, generations_left - 1);
        proxy->PostTask([next, r = ran, c = LiveCounter(live)] { ++*r; });
      }
      std::shared_ptr<MessageLoopProxy> proxy;
      std::atomic<int>* ran;
      std::atomic<int>* live;
      int generations_left;
    };
    // One run sorts a far-off task into the delayed queue; the rest stay in the incoming queue.
    loop->PostDelayedTask([&ran, c = LiveCounter(&live)] { ++ran; }, 60s);
    loop->PostTask([loop] { loop->Quit(); });
    loop->Run();
    auto chain = std::make_shared<Chain>(proxy, &ran, &live, 5);
    loop->PostTask([chain, &ran, c = LiveCounter(&live)] { ++ran; });
    chain.reset();
    loop->PostDelayedTask([&ran, c = LiveCounter(&live)] { ++ran; }, 1ms);
    loop->PostNonNestableTask([&ran, c = LiveCounter(&live)] { ++ran; });
    auto probe = std::make_shared<DestructionProbe>(&deleted_on);
    loop->PostTask([probe] {});
    probe.reset();
    EXPECT_EQ(live, 4);
    delete loop;
  });
  owner.join();
  EXPECT_EQ(ran, 0);
  EXPECT_EQ(live, 0);
  EXPECT_EQ(deleted_on.load(), loop_thread);
}

// ML7: a task that has run is destroyed on the loop's thread, not on the poster's.
TEST_F(CorekitMessageLoopTest, TasksAreDestroyedOnTheLoopThread) {
  MessageLoop loop;
  std::atomic<DWORD> deleted_on{0};
  corekit::WaitableEvent posted;
  std::thread poster([&] {
    auto probe = std::make_shared<DestructionProbe>(&deleted_on);
    loop.GetProxy()->PostTask([probe, &loop] { loop.Quit(); });
    probe.reset();
    posted.Signal();
  });
  ASSERT_TRUE(posted.TimedWait(kTimeoutMs));
  poster.join();
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  ASSERT_FALSE(*timed_out);
  EXPECT_EQ(deleted_on.load(), ::GetCurrentThreadId());
}

// The loop is the thread's current loop exactly while it exists, and only on its thread.
TEST_F(CorekitMessageLoopTest, CurrentLoopIsPerThread) {
  EXPECT_EQ(MessageLoop::Current(), nullptr);
  {
    MessageLoop loop;
    EXPECT_EQ(MessageLoop::Current(), &loop);
    MessageLoop* seen_elsewhere = &loop;
    std::thread([&] { seen_elsewhere = MessageLoop::Current(); }).join();
    EXPECT_EQ(seen_elsewhere, nullptr);
  }
  EXPECT_EQ(MessageLoop::Current(), nullptr);
}

}  // namespace
