// Helpers shared by the corekit tests: bounded waits, lifetime counting and running code on
// a framework thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <utility>

#include "corekit/framework_thread.h"
#include "corekit/message_loop.h"
#include "corekit/message_loop_proxy.h"
#include "corekit/waitable_event.h"

namespace corekit_test {

// Hard limit for every asynchronous wait; a correct run needs a tiny fraction of it.
inline constexpr DWORD kTimeoutMs = 10000;

// Counts live instances; captured in tasks to prove every copy is destroyed.
class LiveCounter {
 public:
  explicit LiveCounter(std::atomic<int>* live) : live_(live) { ++*live_; }
  LiveCounter(const LiveCounter& other) : live_(other.live_) { ++*live_; }
  LiveCounter& operator=(const LiveCounter&) = delete;
  ~LiveCounter() { --*live_; }

 private:
  std::atomic<int>* live_;
};

// Records the thread that destroys it and signals |destroyed| (if any).
class DestructionProbe {
 public:
  DestructionProbe(std::atomic<DWORD>* thread_out, corekit::WaitableEvent* destroyed = nullptr)
      : thread_out_(thread_out), destroyed_(destroyed) {}
  DestructionProbe(const DestructionProbe&) = delete;
  DestructionProbe& operator=(const DestructionProbe&) = delete;
  ~DestructionProbe() {
    thread_out_->store(::GetCurrentThreadId());
    if (destroyed_) destroyed_->Signal();
  }

 private:
  std::atomic<DWORD>* thread_out_;
  corekit::WaitableEvent* destroyed_;
};

// Arms a delayed task that ends |loop|'s current run after |ms|, so a faulty loop fails the
// test instead of hanging it. The returned flag tells whether it fired.
inline std::shared_ptr<std::atomic<bool>> ArmLoopTimeout(corekit::MessageLoop& loop,
                                                         DWORD ms = kTimeoutMs) {
  auto fired = std::make_shared<std::atomic<bool>>(false);
  corekit::MessageLoop* target = &loop;
  loop.PostDelayedTask(
      [fired, target] {
        fired->store(true);
        target->Quit();
        if (target->type() == corekit::MessageLoop::Type::kUI) ::PostQuitMessage(0);
      },
      int64_t{ms} * 1000);
  return fired;
}

// Runs |fn| on |thread|'s loop and waits for it; false when it did not run in time.
inline bool RunOn(corekit::FrameworkThread& thread, std::function<void()> fn) {
  auto done = std::make_shared<corekit::WaitableEvent>();
  auto proxy = thread.GetProxy();
  if (!proxy) return false;
  if (!proxy->PostTask([fn = std::move(fn), done] {
        fn();
        done->Signal();
      })) {
    return false;
  }
  return done->TimedWait(kTimeoutMs);
}

}  // namespace corekit_test
