// Many threads posting tens of thousands of immediate and delayed tasks: every task runs
// exactly once, in the promised order, never early, and every copy of every task is gone at
// the end. Run on both pumps.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "corekit/framework_thread.h"
#include "corekit/message_loop.h"
#include "corekit/message_loop_proxy.h"
#include "corekit/thread_registry.h"
#include "corekit/time_now.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::MessageLoop;
using corekit::Task;
using corekit::ThreadRegistry;
using corekit_test::kTimeoutMs;
using corekit_test::LiveCounter;

constexpr int kPosters = 4;
constexpr int kPerPoster = 10000;
constexpr int kTotal = kPosters * kPerPoster;
constexpr int kDelayClasses = 4;  // 0 = immediate, else that many milliseconds

// Bookkeeping touched only by the loop's thread while it runs.
struct Ledger {
  std::vector<uint8_t> runs = std::vector<uint8_t>(kTotal, 0);
  // Last index seen per poster and delay class: order within a class must be posting order.
  int last[kPosters][kDelayClasses];
  int out_of_order = 0;
  int early = 0;
  int done = 0;
  Ledger() {
    for (auto& row : last) {
      for (int& v : row) v = -1;
    }
  }
};

// Posts every task with |post| from kPosters threads; |finished| is called on the loop's
// thread when the last task has run, so it must outlive the loop's run.
void PostAll(const std::function<bool(Task, int64_t)>& post, Ledger& ledger,
             std::atomic<int>& live, const std::function<void()>& finished) {
  std::vector<std::thread> posters;
  for (int p = 0; p < kPosters; ++p) {
    posters.emplace_back([&, p] {
      for (int i = 0; i < kPerPoster; ++i) {
        const int delay_class = (i * 7 + p) % kDelayClasses;
        const int64_t delay_us = delay_class * 1000;
        const int64_t posted = corekit::TimeNow();
        const int index = p * kPerPoster + i;
        Task task = [&ledger, &finished, p, i, index, delay_class, delay_us, posted,
                     c = LiveCounter(&live)] {
          ++ledger.runs[index];
          if (corekit::TimeNow() < posted + delay_us) ++ledger.early;
          if (ledger.last[p][delay_class] >= i) ++ledger.out_of_order;
          ledger.last[p][delay_class] = i;
          if (++ledger.done == kTotal) finished();
        };
        ASSERT_TRUE(post(std::move(task), delay_us));
      }
    });
  }
  for (auto& t : posters) t.join();
}

void CheckLedger(const Ledger& ledger, int live) {
  int missing = 0, repeated = 0;
  for (uint8_t r : ledger.runs) {
    if (r == 0) ++missing;
    if (r > 1) ++repeated;
  }
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(repeated, 0);
  EXPECT_EQ(ledger.out_of_order, 0);
  EXPECT_EQ(ledger.early, 0);
  EXPECT_EQ(live, 0) << "task copies leaked";
}

// Default pump on a registered worker thread, posted to by id.
TEST(CorekitStressTest, WorkerThreadByRegistry) {
  class Worker : public corekit::FrameworkThread {
   public:
    Worker() : FrameworkThread("Stress Worker") {}
    ~Worker() override { Stop(); }

   protected:
    void Init() override { ThreadRegistry::Register(2); }
    void Cleanup() override { ThreadRegistry::Unregister(); }
  };
  std::atomic<int> live{0};
  Ledger ledger;
  corekit::WaitableEvent all_ran;
  const std::function<void()> finished = [&] { all_ran.Signal(); };
  {
    Worker worker;
    ASSERT_TRUE(worker.Start());
    PostAll([](Task task, int64_t delay) {
              return delay ? ThreadRegistry::PostDelayedTask(2, std::move(task), delay)
                           : ThreadRegistry::PostTask(2, std::move(task));
            },
            ledger, live, finished);
    ASSERT_TRUE(all_ran.TimedWait(kTimeoutMs * 3));
    worker.Stop();
  }
  CheckLedger(ledger, live);
}

// User-interface pump on the test's thread, posted to through the proxy while it runs.
TEST(CorekitStressTest, UILoopThroughProxy) {
  std::atomic<int> live{0};
  Ledger ledger;
  {
    MessageLoop loop(MessageLoop::Type::kUI);
    auto proxy = loop.GetProxy();
    const std::function<void()> finished = [&] { loop.Quit(); };
    std::thread feeder([&] {
      PostAll([&](Task task, int64_t delay) { return proxy->PostDelayedTask(std::move(task), delay); },
              ledger, live, finished);
    });
    auto timed_out = corekit_test::ArmLoopTimeout(loop, kTimeoutMs * 3);
    loop.Run();
    feeder.join();
    EXPECT_FALSE(*timed_out);
  }
  CheckLedger(ledger, live);
}

}  // namespace
