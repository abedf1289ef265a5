// A thread that owns a message loop, with start-up and clean-up hooks.
//
// The body (Run) executes on the thread: it creates the per-thread record and the loop,
// calls Init(), signals that the loop is ready, runs the loop, calls Cleanup(), deletes the
// loop and the record. Derived classes override Init() and Cleanup() only.
//
// Rules:
//  FT1. Start() returns once the loop exists and Init() has run on the new thread, so an id
//      registered in Init() is usable as soon as Start() returns. Start() on a thread that
//      has a loop (or has not been stopped since it last ran) fails and creates no thread.
//  FT2. RunOnCurrentThread() runs the body on the calling thread and returns after Cleanup().
//  FT3. Stop() posts one non-nestable quit request behind whatever is queued and waits for
//      the thread to end: the task that is running, every task queued before the request
//      and every task that becomes due before the loop goes idle all run first. Stop() on
//      the thread itself only posts the request (waiting there could never end); on a
//      thread running RunOnCurrentThread() it posts the request and returns.
//  FT4. Other threads reach the loop only through its proxy (GetProxy()), which refuses
//      posts once the loop is gone.
//  FT5. Destroy a running FrameworkThread only after stopping it from the derived class's
//      destructor (or before): the base destructor also stops it, but by then the derived
//      part — and its Cleanup() — is gone.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "corekit/dispatcher.h"
#include "corekit/lock.h"
#include "corekit/message_loop.h"
#include "corekit/thread.h"
#include "corekit/waitable_event.h"
#include "corekit/weak_callback.h"

namespace corekit {

class MessageLoopProxy;

class FrameworkThread : public Thread, public virtual SupportWeakCallback {
 public:
  explicit FrameworkThread(const char* name);
  ~FrameworkThread() override;

  bool Start();
  void RunOnCurrentThread(MessageLoop::Type type, Dispatcher* dispatcher = nullptr);
  void Stop();

  // The loop, on the thread itself (null outside the body). Other threads use GetProxy().
  MessageLoop* message_loop() const { return message_loop_; }
  // Null before the loop exists and after it is gone.
  std::shared_ptr<MessageLoopProxy> GetProxy() const;
  bool IsRunning() const { return running_.load(); }
  const std::string& name() const { return name_; }

 protected:
  void Run() override;
  virtual void Init() {}
  virtual void Cleanup() {}

 private:
  std::atomic<bool> running_{false};
  std::atomic<bool> stopping_{false};
  MessageLoop::Type loop_type_ = MessageLoop::Type::kDefault;
  MessageLoop* message_loop_ = nullptr;  // owned by the body, on the thread
  Dispatcher* dispatcher_ = nullptr;
  WaitableEvent loop_ready_;
  std::string name_;

  mutable Lock proxy_lock_;
  std::shared_ptr<MessageLoopProxy> proxy_;  // guarded by proxy_lock_
};

}  // namespace corekit
