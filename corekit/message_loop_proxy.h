// The thread-safe handle through which other threads post to a message loop.
//
// Shared ownership (std::shared_ptr); the loop holds one reference for its whole life.
//
// Rules:
//  MP1. Each post returns true when the loop still existed and took the task, false when the
//      loop is gone; a refused task is destroyed on the calling thread without running.
//  MP2. Posting is serialised with the loop's destruction by the proxy's lock, so a post
//      either lands in the queue before the loop stops accepting (and is then run or
//      deleted on the loop's thread) or is refused.
//  MP3. A delay of 0 (or less) posts an immediate task. Delays are microseconds.
//  MP4. Deletion (OnDestruct, when the last reference is dropped) happens on the loop's
//      thread while the loop lives: if that reference is dropped elsewhere, deletion is
//      posted to the loop as a non-nestable task that owns the proxy, so the proxy goes
//      when the loop runs or discards that task. Once the loop is gone the last holder
//      deletes it at once. Because the loop itself holds a reference until its destruction,
//      in practice the proxy dies either inside the loop's destructor or, when it outlives
//      the loop, with its last holder.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "corekit/lock.h"
#include "corekit/task.h"
#include "corekit/weak_callback.h"

namespace corekit {

class MessageLoop;

class MessageLoopProxy : public SupportWeakCallback {
 public:
  // Made by the loop; the deleter routes the last release through OnDestruct().
  static std::shared_ptr<MessageLoopProxy> Create(MessageLoop* loop);

  virtual ~MessageLoopProxy();
  MessageLoopProxy(const MessageLoopProxy&) = delete;
  MessageLoopProxy& operator=(const MessageLoopProxy&) = delete;

  virtual bool PostTask(Task task);
  virtual bool PostDelayedTask(Task task, int64_t delay_us);
  virtual bool PostNonNestableTask(Task task);
  virtual bool PostNonNestableDelayedTask(Task task, int64_t delay_us);
  // True when the loop exists and is the calling thread's current loop.
  virtual bool BelongsToCurrentThread();
  // Called by the loop's destructor on its thread: from now on every post is refused.
  virtual void WillDestroyCurrentMessageLoop();

  template <typename Rep, typename Period>
  bool PostDelayedTask(Task task, std::chrono::duration<Rep, Period> delay) {
    return PostDelayedTask(std::move(task),
                           std::chrono::ceil<std::chrono::microseconds>(delay).count());
  }

 protected:
  explicit MessageLoopProxy(MessageLoop* loop);
  virtual void OnDestruct();

 private:
  enum class Kind { kNestable, kNonNestable };
  bool Post(Task task, int64_t delay_us, Kind kind);

  Lock lock_;
  MessageLoop* loop_;  // guarded by lock_; null once the loop is gone
};

}  // namespace corekit
