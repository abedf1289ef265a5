#include "installer/misc_thread.h"

#include "corekit/thread_registry.h"
#include "installer/install.h"
#include "installer/product_constants.h"

namespace vireo {

CMiscThread::CMiscThread() : corekit::FrameworkThread("Global Misc Thread") {}

CMiscThread::~CMiscThread() { Stop(); }

void CMiscThread::Init() { corekit::ThreadRegistry::Register(kMiscThreadId); }

void CMiscThread::Cleanup() { corekit::ThreadRegistry::Unregister(); }

void CMiscThread::RunInstall() {
  if (!CInstall().Run().success) install_failed_ = true;
}

}  // namespace vireo
