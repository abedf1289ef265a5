#include "corekit/message_loop_proxy.h"

#include <utility>

#include "corekit/message_loop.h"

namespace corekit {

std::shared_ptr<MessageLoopProxy> MessageLoopProxy::Create(MessageLoop* loop) {
  return std::shared_ptr<MessageLoopProxy>(new MessageLoopProxy(loop),
                                           [](MessageLoopProxy* proxy) { proxy->OnDestruct(); });
}

MessageLoopProxy::MessageLoopProxy(MessageLoop* loop) : loop_(loop) {}

MessageLoopProxy::~MessageLoopProxy() = default;

bool MessageLoopProxy::PostTask(Task task) { return Post(std::move(task), 0, Kind::kNestable); }

bool MessageLoopProxy::PostDelayedTask(Task task, int64_t delay_us) {
  return Post(std::move(task), delay_us, Kind::kNestable);
}

bool MessageLoopProxy::PostNonNestableTask(Task task) {
  return Post(std::move(task), 0, Kind::kNonNestable);
}

bool MessageLoopProxy::PostNonNestableDelayedTask(Task task, int64_t delay_us) {
  return Post(std::move(task), delay_us, Kind::kNonNestable);
}

bool MessageLoopProxy::Post(Task task, int64_t delay_us, Kind kind) {
  {
    AutoLock hold(lock_);
    if (loop_) {
      if (kind == Kind::kNestable) {
        loop_->PostDelayedTask(std::move(task), delay_us);
      } else {
        loop_->PostNonNestableDelayedTask(std::move(task), delay_us);
      }
      return true;
    }
  }
  // Refused: |task| is destroyed when this call returns, outside the lock, so its
  // destructor may post again.
  return false;
}

bool MessageLoopProxy::BelongsToCurrentThread() {
  AutoLock hold(lock_);
  return loop_ && loop_ == MessageLoop::Current();
}

void MessageLoopProxy::WillDestroyCurrentMessageLoop() {
  AutoLock hold(lock_);
  loop_ = nullptr;
}

void MessageLoopProxy::OnDestruct() {
  std::shared_ptr<MessageLoopProxy> owner;
  {
    AutoLock hold(lock_);
    if (loop_ && loop_ != MessageLoop::Current()) {
      // The task owns the proxy: whether the loop runs it or deletes it unrun at its
      // destruction, the proxy is deleted with it, on the loop's thread. (A task that only
      // referred to the proxy weakly would leak it when discarded.)
      owner.reset(this);
      loop_->PostNonNestableTask([owner] {});
    }
  }
  // Our own reference is dropped only after the lock is released: the loop's thread may
  // already have run the task and must not destroy the lock while this thread holds it.
  if (!owner) delete this;
}

}  // namespace corekit
