#include "corekit/weak_callback.h"

#include "corekit/lock.h"

namespace corekit {
namespace {

// One lock for every owner: creating a flag is rare and short, and a lock per object would
// cost a critical section for each window and thread object.
Lock& FlagLock() {
  static Lock* lock = new Lock;  // never destroyed: owners may die during static destruction
  return *lock;
}

}  // namespace

SupportWeakCallback::~SupportWeakCallback() {
  std::shared_ptr<WeakFlag> dropped;
  {
    AutoLock hold(FlagLock());
    dropped.swap(flag_);
  }
}

std::weak_ptr<WeakFlag> SupportWeakCallback::GetWeakFlag() {
  AutoLock hold(FlagLock());
  if (!flag_) flag_ = std::make_shared<WeakFlag>();
  return flag_;
}

}  // namespace corekit
