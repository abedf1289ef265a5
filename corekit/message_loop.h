// A thread's task queue and the loop that drains it.
//
// One MessageLoop per thread, created and destroyed on that thread (MessageLoop::Current()
// finds it). Other threads post through the loop's proxy (GetProxy()), which stays valid
// after the loop is gone; posting to the loop object itself from another thread is only
// safe while the poster knows the loop is alive.
//
// Ordering rules:
//  ML1. FIFO: immediate tasks run in the order they entered the incoming queue; tasks from
//      one posting thread run in posting order. A delay of 0 or less posts an immediate task.
//  ML2. A delayed task runs no earlier than TimeNow() at posting + its delay. Delayed tasks run
//      by run time, earliest first; equal run times in posting order (sequence number).
//  ML3. Tasks run one at a time on the loop's thread. While a task runs, nestable tasks are
//      not allowed: a modal loop entered from a task runs nothing until the task (or
//      ScopedNestableTaskAllower) allows it again.
//  ML4. Nesting: Run() called from inside a task starts a nested run (depth + 1) that allows
//      nestable tasks. Non-nestable tasks run only at depth 1: one that comes up during a
//      nested run waits in the deferred queue (FIFO) and runs once the outer run is idle.
//  ML5. Quit() ends the current run only when the loop is idle: every task that is already
//      due — including ones posted after Quit() — runs first. Delayed tasks that are not
//      yet due stay queued.
//  ML6. Destruction deletes every queued task without running it, on the loop's thread,
//      repeating up to 100 times for tasks posted by the destructors of deleted tasks.
//  ML7. Tasks are moved, never copied, and are destroyed on the loop's thread once they have
//      run (or at destruction, ML6). A task the proxy refuses is destroyed on the poster's
//      thread (message_loop_proxy.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "corekit/dispatcher.h"
#include "corekit/lock.h"
#include "corekit/message_pump.h"
#include "corekit/pending_task.h"
#include "corekit/task.h"

namespace corekit {

class MessageLoopProxy;

class MessageLoop : public PumpDelegate {
 public:
  enum class Type {
    kDefault = 0,  // DefaultMessagePump: sleeps on an event
    kUI = 1,       // WinUIMessagePump: interleaves tasks with window messages
  };

  static constexpr int kMaxDeletePasses = 100;

  explicit MessageLoop(Type type = Type::kDefault);
  ~MessageLoop() override;
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // The calling thread's loop; null on a thread without one.
  static MessageLoop* Current();

  // Any thread (while the loop is alive). Delays are microseconds.
  void PostTask(Task task);
  void PostDelayedTask(Task task, int64_t delay_us);
  void PostNonNestableTask(Task task);
  void PostNonNestableDelayedTask(Task task, int64_t delay_us);
  template <typename Rep, typename Period>
  void PostDelayedTask(Task task, std::chrono::duration<Rep, Period> delay) {
    PostDelayedTask(std::move(task), ToMicroseconds(delay));
  }

  // Owning thread only. Returns when this run has quit (Quit(), or for a user-interface loop
  // WM_QUIT or a declining dispatcher). A dispatcher is used by user-interface loops only.
  void Run();
  void RunWithDispatcher(Dispatcher* dispatcher);
  // Owning thread only: the current run ends once the loop is idle (ML5). Nothing happens
  // when the loop is not running.
  void Quit();

  std::shared_ptr<MessageLoopProxy> GetProxy() const { return proxy_; }
  Type type() const { return type_; }
  // 0 when not running, 1 in the outermost run.
  int run_depth() const;
  bool NestableTasksAllowed() const { return nestable_tasks_allowed_; }
  void SetNestableTasksAllowed(bool allowed);

  // Allows nestable tasks for a scope, e.g. around a modal dialog opened from a task.
  class ScopedNestableTaskAllower {
   public:
    explicit ScopedNestableTaskAllower(MessageLoop* loop)
        : loop_(loop), previous_(loop->NestableTasksAllowed()) {
      loop_->SetNestableTasksAllowed(true);
    }
    ~ScopedNestableTaskAllower() { loop_->SetNestableTasksAllowed(previous_); }
    ScopedNestableTaskAllower(const ScopedNestableTaskAllower&) = delete;
    ScopedNestableTaskAllower& operator=(const ScopedNestableTaskAllower&) = delete;

   private:
    MessageLoop* loop_;
    bool previous_;
  };

  template <typename Rep, typename Period>
  static int64_t ToMicroseconds(std::chrono::duration<Rep, Period> delay) {
    return std::chrono::ceil<std::chrono::microseconds>(delay).count();
  }

 protected:
  // PumpDelegate.
  bool DoWork() override;
  bool DoDelayedWork(int64_t* next_time) override;
  bool DoIdleWork() override;

 private:
  struct RunState {
    int run_depth = 0;
    bool quit_received = false;
    Dispatcher* dispatcher = nullptr;
  };
  using TaskQueue = std::deque<PendingTask>;

  void AddToIncomingQueue(Task task, int64_t delay_us, bool nestable);
  // Takes the whole incoming queue in one swap; false when it was empty too.
  bool ReloadWorkQueue();
  void AddToDelayedQueue(PendingTask pending);
  PendingTask TakeEarliestDelayed();
  // True when the task was run, false when it was deferred (non-nestable in a nested run).
  bool DeferOrRunPendingTask(PendingTask pending);
  void RunTask(PendingTask pending);
  bool DeletePendingTasks();

  const Type type_;
  std::shared_ptr<MessagePump> pump_;
  RunState* state_ = nullptr;
  bool nestable_tasks_allowed_ = true;

  Lock incoming_lock_;
  TaskQueue incoming_queue_;  // guarded by incoming_lock_; the only state other threads touch

  TaskQueue work_queue_;
  std::vector<PendingTask> delayed_queue_;  // heap ordered by RunsLater
  TaskQueue deferred_non_nestable_queue_;
  int64_t next_sequence_num_ = 0;
  int64_t recent_time_ = 0;  // cached TimeNow(); 0 = not cached

  std::shared_ptr<MessageLoopProxy> proxy_;
};

}  // namespace corekit
