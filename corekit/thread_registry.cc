#include "corekit/thread_registry.h"

#include <map>
#include <memory>
#include <utility>

#include "corekit/framework_thread.h"
#include "corekit/lock.h"
#include "corekit/message_loop_proxy.h"
#include "corekit/thread_record.h"

namespace corekit {
namespace {

struct Registry {
  Lock lock;
  std::map<int, FrameworkThread*> threads;
};

Registry& GetRegistry() {
  // Never destroyed: threads may post while the process runs its static destructors.
  static Registry* registry = new Registry;
  return *registry;
}

std::shared_ptr<MessageLoopProxy> ProxyOf(int id) {
  Registry& registry = GetRegistry();
  AutoLock hold(registry.lock);
  auto it = registry.threads.find(id);
  if (it == registry.threads.end()) return nullptr;
  return it->second->GetProxy();
}

}  // namespace

bool ThreadRegistry::Register(int id) {
  ThreadRecord* record = CurrentThreadRecord();
  if (id < 0 || !record) return false;
  if (record->registration_count > 0 && record->registered_id != id) return false;
  Registry& registry = GetRegistry();
  AutoLock hold(registry.lock);
  auto it = registry.threads.find(id);
  if (it != registry.threads.end()) {
    if (it->second != record->thread) return false;
  } else {
    registry.threads.emplace(id, record->thread);
  }
  ++record->registration_count;
  record->registered_id = id;
  return true;
}

bool ThreadRegistry::Unregister() {
  ThreadRecord* record = CurrentThreadRecord();
  if (!record || record->registration_count <= 0) return false;
  if (--record->registration_count > 0) return true;
  Registry& registry = GetRegistry();
  AutoLock hold(registry.lock);
  registry.threads.erase(record->registered_id);
  record->registered_id = -1;
  return true;
}

void ThreadRegistry::ReleaseCurrentThread() {
  ThreadRecord* record = CurrentThreadRecord();
  if (!record || record->registration_count <= 0) return;
  record->registration_count = 1;
  Unregister();
}

bool ThreadRegistry::PostTask(int id, Task task) {
  // The proxy is taken under the registry lock but used outside it; it stays valid (and
  // refuses the task) even if the thread ends in between.
  std::shared_ptr<MessageLoopProxy> proxy = ProxyOf(id);
  return proxy && proxy->PostTask(std::move(task));
}

bool ThreadRegistry::PostDelayedTask(int id, Task task, int64_t delay_us) {
  std::shared_ptr<MessageLoopProxy> proxy = ProxyOf(id);
  return proxy && proxy->PostDelayedTask(std::move(task), delay_us);
}

bool ThreadRegistry::PostNonNestableTask(int id, Task task) {
  std::shared_ptr<MessageLoopProxy> proxy = ProxyOf(id);
  return proxy && proxy->PostNonNestableTask(std::move(task));
}

FrameworkThread* ThreadRegistry::CurrentThread() {
  ThreadRecord* record = CurrentThreadRecord();
  return record && record->registration_count > 0 ? record->thread : nullptr;
}

int ThreadRegistry::CurrentId() {
  ThreadRecord* record = CurrentThreadRecord();
  return record ? record->registered_id : -1;
}

}  // namespace corekit
