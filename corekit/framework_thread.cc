#include "corekit/framework_thread.h"

#include <utility>

#include "corekit/message_loop_proxy.h"
#include "corekit/thread_record.h"
#include "corekit/thread_registry.h"

namespace corekit {

FrameworkThread::FrameworkThread(const char* name) : name_(name ? name : "") {}

FrameworkThread::~FrameworkThread() { Stop(); }

std::shared_ptr<MessageLoopProxy> FrameworkThread::GetProxy() const {
  AutoLock hold(proxy_lock_);
  return proxy_;
}

bool FrameworkThread::Start() {
  // A thread that ended by itself keeps its handle until Stop(); starting over it would
  // leak that handle and run two bodies on one object.
  if (GetProxy() || has_handle()) return false;
  loop_type_ = MessageLoop::Type::kDefault;
  dispatcher_ = nullptr;
  stopping_.store(false);
  // A body run earlier by RunOnCurrentThread signalled the event with nobody waiting.
  loop_ready_.Reset();
  if (!Create()) return false;
  // Wait for the loop, or for the thread's end should it exit from inside Init().
  HANDLE waits[] = {loop_ready_.handle(), handle()};
  const DWORD result = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  if (result != WAIT_OBJECT_0) {
    Join();
    return false;
  }
  running_.store(true);
  return true;
}

void FrameworkThread::RunOnCurrentThread(MessageLoop::Type type, Dispatcher* dispatcher) {
  loop_type_ = type;
  stopping_.store(false);
  running_.store(true);
  dispatcher_ = dispatcher;
  Run();
}

void FrameworkThread::Run() {
  ThreadRecord* record = CurrentThreadRecord();
  const bool own_record = record == nullptr;
  if (own_record) {
    record = new ThreadRecord;
    record->thread = this;
    SetCurrentThreadRecord(record);
  }
  set_thread_id(::GetCurrentThreadId());

  auto* loop = new MessageLoop(loop_type_);
  message_loop_ = loop;
  {
    AutoLock hold(proxy_lock_);
    proxy_ = loop->GetProxy();
  }

  Init();
  loop_ready_.Signal();
  loop->RunWithDispatcher(loop_type_ == MessageLoop::Type::kUI ? dispatcher_ : nullptr);
  Cleanup();

  {
    AutoLock hold(proxy_lock_);
    proxy_.reset();
  }
  message_loop_ = nullptr;
  delete loop;
  // The creator of the system thread clears the id when it joins; a body run on a borrowed
  // thread must not leave its id behind.
  if (!has_handle()) set_thread_id(0);

  if (own_record) {
    ThreadRegistry::ReleaseCurrentThread();
    SetCurrentThreadRecord(nullptr);
    delete record;
  }
}

void FrameworkThread::Stop() {
  if (!running_.load()) return;
  if (!stopping_.exchange(true)) {
    if (std::shared_ptr<MessageLoopProxy> proxy = GetProxy()) {
      // Bound weakly: should this object be destroyed before the request runs, the loop
      // it would quit is gone with it.
      proxy->PostNonNestableTask(ToWeakCallback([] {
        if (MessageLoop* loop = MessageLoop::Current()) loop->Quit();
      }));
    }
  }
  if (has_handle()) {
    if (::GetCurrentThreadId() == thread_id()) return;  // FT3: cannot wait for itself
    Join();
  }
  running_.store(false);
}

}  // namespace corekit
