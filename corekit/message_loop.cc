#include "corekit/message_loop.h"

#include <algorithm>
#include <utility>

#include "corekit/default_message_pump.h"
#include "corekit/message_loop_proxy.h"
#include "corekit/thread_local_slot.h"
#include "corekit/time_now.h"
#include "corekit/win_ui_message_pump.h"

namespace corekit {
namespace {

constinit ThreadLocalSlot g_current_loop;

}  // namespace

MessageLoop::MessageLoop(Type type) : type_(type) {
  if (type_ == Type::kUI) {
    pump_ = std::make_shared<WinUIMessagePump>();
  } else {
    pump_ = std::make_shared<DefaultMessagePump>();
  }
  proxy_ = MessageLoopProxy::Create(this);
  g_current_loop.Set(this);
}

MessageLoop::~MessageLoop() {
  // Deleting a task may post another one (a destructor that reports), so repeat until a
  // pass finds nothing, but never forever.
  for (int pass = 0; pass < kMaxDeletePasses; ++pass) {
    bool found = DeletePendingTasks();
    found |= ReloadWorkQueue();
    found |= DeletePendingTasks();
    if (!found) break;
  }
  // From here on the proxy refuses posts; tasks that slipped into the incoming queue in the
  // meantime are destroyed with it below, still on this thread.
  proxy_->WillDestroyCurrentMessageLoop();
  proxy_.reset();
  g_current_loop.Set(nullptr);
}

MessageLoop* MessageLoop::Current() { return static_cast<MessageLoop*>(g_current_loop.Get()); }

void MessageLoop::PostTask(Task task) { AddToIncomingQueue(std::move(task), 0, true); }

void MessageLoop::PostDelayedTask(Task task, int64_t delay_us) {
  AddToIncomingQueue(std::move(task), delay_us, true);
}

void MessageLoop::PostNonNestableTask(Task task) {
  AddToIncomingQueue(std::move(task), 0, false);
}

void MessageLoop::PostNonNestableDelayedTask(Task task, int64_t delay_us) {
  AddToIncomingQueue(std::move(task), delay_us, false);
}

void MessageLoop::AddToIncomingQueue(Task task, int64_t delay_us, bool nestable) {
  PendingTask pending;
  pending.task = std::move(task);
  pending.nestable = nestable;
  pending.delayed_run_time = delay_us > 0 ? TimeNow() + delay_us : 0;

  std::shared_ptr<MessagePump> pump;
  bool was_empty;
  {
    AutoLock hold(incoming_lock_);
    was_empty = incoming_queue_.empty();
    incoming_queue_.push_back(std::move(pending));
    // The owning thread only drains the queue after waking; a non-empty queue means a
    // wake-up is already on its way.
    if (was_empty) pump = pump_;
  }
  // Outside the lock so posters contend only for the append; the reference keeps the pump
  // alive for the call.
  if (was_empty) pump->ScheduleWork();
}

void MessageLoop::Run() { RunWithDispatcher(nullptr); }

void MessageLoop::RunWithDispatcher(Dispatcher* dispatcher) {
  RunState state;
  state.run_depth = state_ ? state_->run_depth + 1 : 1;
  state.dispatcher = dispatcher;
  RunState* previous = state_;
  state_ = &state;
  // A nested run is started from inside a task, where nestable tasks are off; it could do
  // nothing (not even notice its quit) unless it allows them.
  const bool allowed_before = nestable_tasks_allowed_;
  nestable_tasks_allowed_ = true;
  if (type_ == Type::kUI) {
    static_cast<WinUIMessagePump*>(pump_.get())->RunWithDispatcher(this, dispatcher);
  } else {
    pump_->Run(this);
  }
  nestable_tasks_allowed_ = allowed_before;
  state_ = previous;
}

void MessageLoop::Quit() {
  if (state_) state_->quit_received = true;
}

int MessageLoop::run_depth() const { return state_ ? state_->run_depth : 0; }

void MessageLoop::SetNestableTasksAllowed(bool allowed) {
  if (allowed && !nestable_tasks_allowed_) {
    // Work may have piled up unnoticed while tasks were not allowed.
    pump_->ScheduleWork();
  }
  nestable_tasks_allowed_ = allowed;
}

bool MessageLoop::ReloadWorkQueue() {
  if (!work_queue_.empty()) return true;
  AutoLock hold(incoming_lock_);
  if (incoming_queue_.empty()) return false;
  work_queue_.swap(incoming_queue_);
  return true;
}

bool MessageLoop::DoWork() {
  if (!nestable_tasks_allowed_) return false;
  for (;;) {
    if (!ReloadWorkQueue()) return false;
    while (!work_queue_.empty()) {
      PendingTask pending = std::move(work_queue_.front());
      work_queue_.pop_front();
      if (pending.delayed_run_time != 0) {
        AddToDelayedQueue(std::move(pending));
        continue;
      }
      if (DeferOrRunPendingTask(std::move(pending))) return true;
    }
  }
}

void MessageLoop::AddToDelayedQueue(PendingTask pending) {
  pending.sequence_num = next_sequence_num_++;
  const int64_t run_time = pending.delayed_run_time;
  delayed_queue_.push_back(std::move(pending));
  std::push_heap(delayed_queue_.begin(), delayed_queue_.end(), RunsLater());
  // Only a new earliest task changes when the pump must wake.
  if (delayed_queue_.front().sequence_num == next_sequence_num_ - 1) {
    pump_->ScheduleDelayedWork(run_time);
  }
}

PendingTask MessageLoop::TakeEarliestDelayed() {
  std::pop_heap(delayed_queue_.begin(), delayed_queue_.end(), RunsLater());
  PendingTask pending = std::move(delayed_queue_.back());
  delayed_queue_.pop_back();
  return pending;
}

bool MessageLoop::DoDelayedWork(int64_t* next_time) {
  if (!nestable_tasks_allowed_ || delayed_queue_.empty()) {
    recent_time_ = 0;
    *next_time = 0;
    return false;
  }
  const int64_t run_time = delayed_queue_.front().delayed_run_time;
  if (run_time > recent_time_) {
    recent_time_ = TimeNow();
    if (run_time > recent_time_) {
      *next_time = run_time;
      return false;
    }
  }
  PendingTask pending = TakeEarliestDelayed();
  *next_time = delayed_queue_.empty() ? 0 : delayed_queue_.front().delayed_run_time;
  return DeferOrRunPendingTask(std::move(pending));
}

bool MessageLoop::DoIdleWork() {
  if (run_depth() == 1 && !deferred_non_nestable_queue_.empty()) {
    PendingTask pending = std::move(deferred_non_nestable_queue_.front());
    deferred_non_nestable_queue_.pop_front();
    RunTask(std::move(pending));
    return true;
  }
  if (state_ && state_->quit_received) pump_->Quit();
  return false;
}

bool MessageLoop::DeferOrRunPendingTask(PendingTask pending) {
  if (pending.nestable || run_depth() == 1) {
    RunTask(std::move(pending));
    return true;
  }
  deferred_non_nestable_queue_.push_back(std::move(pending));
  return false;
}

void MessageLoop::RunTask(PendingTask pending) {
  nestable_tasks_allowed_ = false;
  if (pending.task) pending.task();
  nestable_tasks_allowed_ = true;
  // |pending| and its task are destroyed here, on the loop's thread.
}

bool MessageLoop::DeletePendingTasks() {
  // Move each queue out before destroying it: a task's destructor may post to this loop.
  const bool found = !work_queue_.empty() || !deferred_non_nestable_queue_.empty() ||
                     !delayed_queue_.empty();
  { TaskQueue doomed = std::move(work_queue_); work_queue_.clear(); }
  { TaskQueue doomed = std::move(deferred_non_nestable_queue_); deferred_non_nestable_queue_.clear(); }
  { std::vector<PendingTask> doomed = std::move(delayed_queue_); delayed_queue_.clear(); }
  return found;
}

}  // namespace corekit
