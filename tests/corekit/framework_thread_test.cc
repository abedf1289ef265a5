// Rules FT1-FT5 of corekit/framework_thread.h.
#include "corekit/framework_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "corekit/message_loop_proxy.h"
#include "corekit/thread_registry.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::FrameworkThread;
using corekit::MessageLoop;
using corekit::ThreadRegistry;
using corekit::WaitableEvent;
using corekit_test::kTimeoutMs;
using corekit_test::RunOn;

// A worker like the installer's: registers in Init, unregisters in Cleanup.
class WorkerThread : public FrameworkThread {
 public:
  explicit WorkerThread(int id) : FrameworkThread("Test Worker"), id_(id) {}
  ~WorkerThread() override { Stop(); }

  // Posts to itself by id, with a callback capturing |this|.
  bool PostIncrement() {
    return ThreadRegistry::PostTask(id_, ToWeakCallback([this] {
                                      ++increments_;
                                      incremented_.Signal();
                                    }));
  }

  std::atomic<bool> init_ran{false};
  std::atomic<bool> registered_in_init{false};
  std::atomic<bool> cleanup_ran{false};
  std::atomic<bool> loop_existed_in_cleanup{false};
  int increments_ = 0;
  WaitableEvent incremented_;

 protected:
  void Init() override {
    init_ran = true;
    registered_in_init = ThreadRegistry::Register(id_);
  }
  void Cleanup() override {
    loop_existed_in_cleanup = MessageLoop::Current() != nullptr;
    ThreadRegistry::Unregister();
    cleanup_ran = true;
  }

 private:
  int id_;
};

// FT1: Start returns after Init has run on the new thread, with the id already usable.
TEST(CorekitFrameworkThreadTest, StartReturnsAfterInitWithIdRegistered) {
  WorkerThread worker(2);
  ASSERT_TRUE(worker.Start());
  EXPECT_TRUE(worker.init_ran);
  EXPECT_TRUE(worker.registered_in_init);
  EXPECT_TRUE(worker.IsRunning());
  EXPECT_NE(worker.thread_id(), 0u);
  EXPECT_NE(worker.thread_id(), ::GetCurrentThreadId());

  DWORD ran_on = 0;
  int id_there = -1;
  FrameworkThread* current_there = nullptr;
  WaitableEvent done;
  ASSERT_TRUE(ThreadRegistry::PostTask(2, [&] {
    ran_on = ::GetCurrentThreadId();
    id_there = ThreadRegistry::CurrentId();
    current_there = ThreadRegistry::CurrentThread();
    done.Signal();
  }));
  ASSERT_TRUE(done.TimedWait(kTimeoutMs));
  EXPECT_EQ(ran_on, worker.thread_id());
  EXPECT_EQ(id_there, 2);
  EXPECT_EQ(current_there, &worker);
}

// FT1: a second Start fails and leaves the running thread as it was.
TEST(CorekitFrameworkThreadTest, StartTwiceFails) {
  WorkerThread worker(2);
  ASSERT_TRUE(worker.Start());
  const DWORD first_id = worker.thread_id();
  auto first_proxy = worker.GetProxy();
  EXPECT_FALSE(worker.Start());
  EXPECT_EQ(worker.thread_id(), first_id);
  EXPECT_EQ(worker.GetProxy(), first_proxy);
  EXPECT_TRUE(RunOn(worker, [] {}));
}

// FT3: Stop on a busy thread returns only after the running task, the tasks queued behind
// it and the tasks that task posts have all run; Cleanup runs while the loop still exists.
TEST(CorekitFrameworkThreadTest, StopLetsQueuedWorkFinish) {
  WorkerThread worker(2);
  ASSERT_TRUE(worker.Start());
  auto proxy = worker.GetProxy();
  std::vector<int> ran;  // worker thread only until Stop has joined it
  WaitableEvent started;
  ASSERT_TRUE(proxy->PostTask([&] {
    started.Signal();
    WaitableEvent never;
    never.TimedWait(200);  // stay busy while Stop is called
    ran.push_back(1);
    MessageLoop::Current()->PostTask([&] { ran.push_back(4); });
  }));
  ASSERT_TRUE(proxy->PostTask([&] { ran.push_back(2); }));
  ASSERT_TRUE(proxy->PostDelayedTask([&] { ran.push_back(3); }, 1000));
  bool far_task_ran = false;
  ASSERT_TRUE(proxy->PostDelayedTask([&] { far_task_ran = true; }, 60'000'000));
  ASSERT_TRUE(started.TimedWait(kTimeoutMs));
  worker.Stop();
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.thread_id(), 0u);
  ASSERT_EQ(ran.size(), 4u);
  EXPECT_EQ(ran[0], 1);
  EXPECT_EQ(ran[1], 2);
  EXPECT_FALSE(far_task_ran);
  EXPECT_TRUE(worker.cleanup_ran);
  EXPECT_TRUE(worker.loop_existed_in_cleanup);
  EXPECT_EQ(worker.GetProxy(), nullptr);
  EXPECT_FALSE(proxy->PostTask([] {})) << "the loop is gone after Stop";
}

// FT3: a stopped thread can be started again, and Stop is harmless twice.
TEST(CorekitFrameworkThreadTest, RestartAfterStop) {
  WorkerThread worker(2);
  ASSERT_TRUE(worker.Start());
  worker.Stop();
  worker.Stop();
  ASSERT_TRUE(worker.Start());
  EXPECT_TRUE(RunOn(worker, [] { EXPECT_EQ(ThreadRegistry::CurrentId(), 2); }));
}

// FT3: Stop called by a task on the thread itself does not wait for itself; the loop still
// ends, and a later Stop from outside joins it.
TEST(CorekitFrameworkThreadTest, StopFromOwnThreadDoesNotDeadlock) {
  WorkerThread worker(2);
  ASSERT_TRUE(worker.Start());
  EXPECT_TRUE(RunOn(worker, [&] { worker.Stop(); }));
  worker.Stop();
  EXPECT_TRUE(worker.cleanup_ran);
  EXPECT_FALSE(worker.IsRunning());
}

// A class derived from FrameworkThread posts weak callbacks that capture |this|.
TEST(CorekitFrameworkThreadTest, DerivedThreadPostsWeakCallbacksToItself) {
  WorkerThread worker(2);
  ASSERT_TRUE(worker.Start());
  ASSERT_TRUE(worker.PostIncrement());
  ASSERT_TRUE(worker.incremented_.TimedWait(kTimeoutMs));
  ASSERT_TRUE(worker.PostIncrement());
  ASSERT_TRUE(worker.incremented_.TimedWait(kTimeoutMs));
  worker.Stop();
  EXPECT_EQ(worker.increments_, 2);
}

// FT2: RunOnCurrentThread runs Init, the loop (here a user-interface loop ended by WM_QUIT)
// and Cleanup on the calling thread, and leaves nothing behind.
TEST(CorekitFrameworkThreadTest, RunOnCurrentThreadRunsWholeBody) {
  class MainThread : public FrameworkThread {
   public:
    MainThread() : FrameworkThread("MainThread") {}
    std::vector<std::string> steps;

   protected:
    void Init() override {
      steps.push_back("init");
      ASSERT_TRUE(ThreadRegistry::Register(1));
      ThreadRegistry::PostTask(1, ToWeakCallback([this] {
                                 steps.push_back("task");
                                 ::PostQuitMessage(0);
                               }));
    }
    void Cleanup() override { steps.push_back("cleanup"); }
  } main_thread;
  main_thread.RunOnCurrentThread(MessageLoop::Type::kUI);
  EXPECT_EQ(main_thread.steps, (std::vector<std::string>{"init", "task", "cleanup"}));
  EXPECT_EQ(MessageLoop::Current(), nullptr);
  EXPECT_EQ(ThreadRegistry::CurrentId(), -1);
  EXPECT_FALSE(ThreadRegistry::PostTask(1, [] {}));
  MSG msg;
  ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the re-posted quit
}

// FT1: after a body has run on the calling thread, Start still waits for the new thread's
// own Init and loop.
TEST(CorekitFrameworkThreadTest, StartAfterRunOnCurrentThreadWaitsForNewLoop) {
  class Reusable : public FrameworkThread {
   public:
    Reusable() : FrameworkThread("Reusable") {}
    ~Reusable() override { Stop(); }
    const DWORD first_thread = ::GetCurrentThreadId();
    std::atomic<DWORD> init_thread{0};

   protected:
    void Init() override {
      init_thread = ::GetCurrentThreadId();
      // The body on the test's thread ends at once; the started one keeps running.
      if (init_thread == first_thread) {
        MessageLoop::Current()->PostTask([] { MessageLoop::Current()->Quit(); });
      }
    }
  } thread;
  thread.RunOnCurrentThread(MessageLoop::Type::kDefault);
  EXPECT_EQ(thread.init_thread.load(), ::GetCurrentThreadId());
  ASSERT_TRUE(thread.Start());
  EXPECT_EQ(thread.init_thread.load(), thread.thread_id());
  EXPECT_NE(thread.GetProxy(), nullptr);
}

}  // namespace
